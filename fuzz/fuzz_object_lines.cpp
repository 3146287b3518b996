// The clipboard's object lines on any bytes: what reads writes back to lines that read again
// as the same objects, by name and count.
#include "FuzzCheck.h"

#include "file/ObjectLines.h"

#include <cmath>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<XObject> objects, again;
    if (!ParseXObjectLines(std::string_view(reinterpret_cast<const char*>(data), size), objects)) {
        FUZZ_CHECK(objects.empty());
        return 0;
    }
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
