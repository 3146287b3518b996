// The clipboard's object lines on any bytes: what reads writes back to lines that read again
// as the same objects, by name and count, and text that reads holds an object line.
#include "FuzzCheck.h"

#include "file/ObjectLines.h"

#include <cmath>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Kept from one input to the next (the reader clears them): grown afresh, thousands of
    // objects cost more in new pages than the reading itself.
    static std::vector<XObject> objects;
    static std::vector<XObject> again;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!ParseXObjectLines(input, objects)) {
        FUZZ_CHECK(objects.empty());
        HoldsXObjectLine(input);   // a refusal's reason: it must not read past the text either
        return 0;
    }
    FUZZ_CHECK(HoldsXObjectLine(input));
    std::string text;
    for (const XObject& o : objects) {
        FUZZ_CHECK(std::isfinite(o.Pos.x) && std::isfinite(o.Pos.y) && std::isfinite(o.Direction));
        AppendXObjectLine(text, o);
    }
    FUZZ_CHECK(ParseXObjectLines(text, again) && again.size() == objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
        FUZZ_CHECK(again[i].FileName == objects[i].FileName);
    return 0;
}
