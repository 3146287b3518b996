// The course reader on any bytes; what it read, written, read and written again, is the same.
#include "FuzzCheck.h"

#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// As Open does it: the file's text-mode translation, then the parse.
StoredCourse Read(std::string text)
{
    DropCrBeforeLf(text);
    return ParseCourseText(text);
}

// A quoted name holding CR LF reads back with a bare LF: the format has no escape for it.
bool HoldsCrLf(const StoredCourse& doc)
{
    auto has = [](const std::string& s) { return s.find("\r\n") != std::string::npos; };
    bool any = has(doc.heightMap) || has(doc.colorMap);
    for (const XObject& obj : doc.xobjects)
        any = any || has(obj.FileName);
    return any;
}
// Huge counts of zero records only repeat one line and starve the search: small counts cover them.
constexpr int kMaxRecordsToWrite = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const StoredCourse doc = Read(std::string(reinterpret_cast<const char*>(data), size));
    if (doc.handles.GetSize() + doc.xobjects.GetSize() > kMaxRecordsToWrite)
        return 0;
    const std::string first = CourseFileText(doc);
    if (HoldsCrLf(doc))
        return 0;

    const StoredCourse again = Read(first);
    FUZZ_CHECK(again.handles.GetSize() == doc.handles.GetSize() && again.xobjects.GetSize() == doc.xobjects.GetSize());
    FUZZ_CHECK(again.heightMap == doc.heightMap && again.colorMap == doc.colorMap && again.visibleMap == doc.visibleMap);
    FUZZ_CHECK(CourseFileText(again) == first);
    return 0;
}
