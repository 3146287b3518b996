// The overlay's inline escapes on any text, walked the way DrawText walks it.
#include "FuzzCheck.h"

#include "overlay/TextEscape.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A NUL-terminated copy of exactly the text's size, as Printf hands it over.
    const std::unique_ptr<char[]> text(new char[size + 1]);
    std::memcpy(text.get(), data, size);
    text[size] = '\0';
    const std::size_t length = std::strlen(text.get());
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] != '\\')
            continue;
        const TextEscape e = ParseTextEscape(text.get() + i);
        if (e.length == 0) {
            FUZZ_CHECK(e.kind == 0);
            continue;
        }
        // An escape never runs past the end of the text.
        FUZZ_CHECK(e.length >= 3 && static_cast<std::size_t>(e.length) <= length - i);
        FUZZ_CHECK(e.kind == 'b' || e.kind == 'i' || e.kind == 'c' || e.kind == 'a');
        FUZZ_CHECK((e.kind != 'c' && e.kind != 'a') || text[i + static_cast<std::size_t>(e.length) - 1] == ')');
        i += static_cast<std::size_t>(e.length) - 1;
    }
    return 0;
}
