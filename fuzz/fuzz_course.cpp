// The course file reader on any bytes, and the writer on whatever it read: reading the
// written text again must write the same bytes.
#include "FuzzCheck.h"

#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// As Open does it: the file's text-mode translation, an emptied document, the parse.
void Read(std::string text, CTrackwrightDoc& doc)
{
    DropCrBeforeLf(text);
    doc.DeleteContents();
    ParseCourseText(text, doc);
}

// A name holding CR LF is written as it is and reads back with a bare line feed: the format
// has no escape for it (and only a file with CR CR LF inside quotes can produce one).
bool HoldsCrLf(const CTrackwrightDoc& doc)
{
    auto has = [](const std::string& s) { return s.find("\r\n") != std::string::npos; };
    if (has(doc.m_heightMap) || has(doc.m_colorMap))
        return true;
    for (const XObject& obj : doc.m_xobjects) {
        if (has(obj.FileName))
            return true;
    }
    return false;
}

// A short file may announce tens of thousands of records that all read as zeros; writing
// them out twice takes most of a second per input and starves the search. Their text is the
// same line over and over, which small counts already cover.
constexpr int kMaxRecordsToWrite = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CTrackwrightDoc doc;
    Read(std::string(reinterpret_cast<const char*>(data), size), doc);
    if (doc.m_course.m_handles.GetSize() + doc.m_xobjects.GetSize() > kMaxRecordsToWrite)
        return 0;
    const std::string first = CourseFileText(doc);
    if (HoldsCrLf(doc))
        return 0;

    CTrackwrightDoc again;
    Read(first, again);
    FUZZ_CHECK(again.m_course.m_handles.GetSize() == doc.m_course.m_handles.GetSize());
    FUZZ_CHECK(again.m_xobjects.GetSize() == doc.m_xobjects.GetSize());
    FUZZ_CHECK(again.m_heightMap == doc.m_heightMap);
    FUZZ_CHECK(again.m_colorMap == doc.m_colorMap);
    FUZZ_CHECK(again.m_visibleMap == doc.m_visibleMap);
    FUZZ_CHECK(CourseFileText(again) == first);
    return 0;
}
