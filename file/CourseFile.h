#pragma once

// The course file's text form: the stored fields as a plain value, read from and written to
// text. The document's Open and Save (document/) read and replace the file around these.

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Which map lies under the course, as the file stores it; any other value shows the colour map.
enum ShownMap : std::int32_t {
    ShowHeightMap = 0,
    ShowColorMap = 1,
};

// The largest course file read: what 10 million control points take at 128 bytes each (the
// writer's line is 114 bytes for coordinates below 10,000). Larger files are refused unread.
constexpr std::uint64_t kMaxCourseFileBytes = std::uint64_t{10'000'000} * 128;

// Everything a course file stores, in the order it stores it.
struct StoredCourse {
    RecordList<CourseHandle> handles;
    float texLuminance = 0.5f;
    std::string heightMap;   // "" is written as none
    std::string colorMap;
    std::int32_t visibleMap = ShowHeightMap;
    RecordList<XObject> xobjects;
};

// The stored fields as the writer reads them, wherever they live, without a copy of the lists.
struct StoredCourseView {
    StoredCourseView(const RecordList<CourseHandle>& h, float luminance, const std::string& height,
                     const std::string& color, std::int32_t visible, const RecordList<XObject>& objects)
        : handles(h), texLuminance(luminance), heightMap(height), colorMap(color), visibleMap(visible),
          xobjects(objects) {}
    // Implicit: a course read is written as it is.
    StoredCourseView(const StoredCourse& c)
        : StoredCourseView(c.handles, c.texLuminance, c.heightMap, c.colorMap, c.visibleMap, c.xobjects) {}

    const RecordList<CourseHandle>& handles;
    float texLuminance;
    const std::string& heightMap;
    const std::string& colorMap;
    std::int32_t visibleMap;
    const RecordList<XObject>& xobjects;
};

class TokenReader;

// How many all-zero records a truncated file may still produce past its last token.
constexpr std::size_t kMaxZeroRecords = 65536;

// Reads the fields in order and nothing after the last: the rest of a file, whatever it
// holds, is never read. Under ParseCourseText and ReadCourseFile; a smaller zeroRecords keeps
// a fuzzer's inputs light.
StoredCourse ParseCourse(TokenReader& reader, std::size_t zeroRecords = kMaxZeroRecords);

// Reads course file text (line ends already translated, as ReadTextFile gives them); a leading
// UTF-8 byte-order mark is skipped. Any text reads as some course.
StoredCourse ParseCourseText(std::string_view text);

// Reads the course file at path as ParseCourseText reads its text, a piece at a time: only
// the course read and one piece of the file are held, and nothing after the last field is
// read. False, with course unchanged, when OpenRegularFile refuses the file
// (kMaxCourseFileBytes) or a read fails.
bool ReadCourseFile(const std::string& path, StoredCourse& course);

// The bytes of the course file, CR LF line ends.
std::string CourseFileText(const StoredCourseView& course);

// The format has no escape: a double quote inside a path or name would end it early and
// shift every field after it. Returns the first text that cannot be stored, or null.
const std::string* FindUnstorableText(const StoredCourseView& course);
