// The course reader on any bytes; what it read, written, read and written again, is the same; and
// the course check runs on whatever was read.
#include "FuzzCheck.h"

#include "file/CourseFile.h"
#include "file/Tokenizer.h"
#include "geometry/CourseCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // As Open does it: the file's text-mode translation, then the parse.
    const auto read = [](std::string text) {
        DropCrBeforeLf(text);
        return ParseCourseText(text);
    };
    const StoredCourse doc = read(std::string(reinterpret_cast<const char*>(data), size));
    // Huge counts of zero records only repeat one line and starve the search: small counts cover them.
    if (doc.handles.GetSize() + doc.xobjects.GetSize() > 2048)
        return 0;
    const std::string first = CourseFileText(doc);
    const CourseCheckResult checked = CheckCourse(doc.handles, doc.xobjects);
    FUZZ_CHECK(checked.figures.handleCount == doc.handles.GetSize() && CourseFileText(doc) == first);
    // A quoted name holding CR LF reads back with a bare LF: the format has no escape for it.
    std::string names = doc.heightMap + '\0' + doc.colorMap;
    for (const XObject& obj : doc.xobjects)
        names += '\0' + obj.FileName;
    if (names.find("\r\n") != std::string::npos)
        return 0;
    const StoredCourse again = read(first);
    FUZZ_CHECK(again.handles.GetSize() == doc.handles.GetSize() && again.xobjects.GetSize() == doc.xobjects.GetSize());
    FUZZ_CHECK(again.heightMap == doc.heightMap && again.colorMap == doc.colorMap && again.visibleMap == doc.visibleMap);
    FUZZ_CHECK(CourseFileText(again) == first);
    return 0;
}
