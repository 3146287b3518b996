#pragma once

// The course file's text form: the stored fields as a plain value, read from and written to
// text. The document's Open and Save (doc/) read and replace the file around these.

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

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

// Reads course file text (line ends already translated, as ReadTextFile gives them); a leading
// UTF-8 byte-order mark is skipped. Any text reads as some course.
StoredCourse ParseCourseText(std::string_view text);

// The bytes of the course file, CR LF line ends.
std::string CourseFileText(const StoredCourseView& course);

// The format has no escape: a double quote inside a path or name would end it early and
// shift every field after it. Returns the first text that cannot be stored, or null.
const std::string* FindUnstorableText(const StoredCourseView& course);
