#pragma once

// Reader for uncompressed TGA images (true colour and grey), decoded into a tightly packed
// buffer ready for a texture upload. Compressed and colour-mapped files are refused.
#include <cstddef>
#include <cstdint>

// Result codes of image loading; texture uploads continue the same code space.
constexpr int TGA_OK = 1;
constexpr int TGA_ERR_OPEN = 1000;    // no path, or the file cannot be opened or read
constexpr int TGA_ERR_TYPE = 1001;    // colour-mapped, or an image type other than 2 and 3
constexpr int TGA_ERR_DEPTH = 1002;   // pixel depth other than 8, 24 and 32
constexpr int TGA_ERR_MEMORY = 1003;  // no memory, no buffer, or a buffer shorter than its header announces

// The largest file Load reads: the biggest image the overlay can use (1024 x 1024, 32 bits)
// behind the longest header, with 64 KiB for the optional areas that may follow it.
constexpr std::uint64_t kMaxTgaFileBytes = 18 + 255 + 1024 * 1024 * 4 + (64 << 10);

class TgaImage {
public:
    TgaImage() = default;
    // Does not release Pixels: the buffer belongs to whoever uploads it (see ReleasePixels).
    virtual ~TgaImage() = default;

    // Reads the file (a regular file of at most kMaxTgaFileBytes) and decodes it.
    int Load(const char* path);
    // buffer holds a whole TGA file of size bytes. On failure the fields may have been
    // updated from the header, but Pixels is left as it was.
    int Decode(const unsigned char* buffer, std::size_t size);
    // Frees the decoded pixels and sets Pixels to null.
    void ReleasePixels();

    int32_t BitsPerPixel = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint32_t PixelCount = 0;
    unsigned char* Pixels = nullptr;  // PixelCount * BitsPerPixel / 8 bytes, rows in file order
};
