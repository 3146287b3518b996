#pragma once

// What the fuzz targets share: the property check, and the check of a decoded image.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property stops the run like a crash, with the input saved as the reproducer.
#define FUZZ_CHECK(cond) \
    ((cond) ? void() : (std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond), std::abort()))

// Pixels decoded from an input of `size` bytes hold no more than the input did, and both ends
// can be read (AddressSanitizer knows the buffer's real size).
inline void CheckPixels(const unsigned char* pixels, std::size_t bytes, std::size_t size)
{
    FUZZ_CHECK(bytes <= size);
    if (bytes > 0) {
        volatile unsigned char sum = pixels[0];
        sum = static_cast<unsigned char>(sum + pixels[bytes - 1]);
    }
}
