#pragma once

// Pieces of the course file reader and writer that other code and the tests use; the open
// and save operations themselves are CTrackwrightDoc::OnOpenDocument / OnSaveDocument.

#include "geometry/Vector3.h"

#include <cstdint>
#include <string>
#include <string_view>

class CTrackwrightDoc;
class TokenReader;

// The largest course file read: what 10 million control points take at 128 bytes each (the
// writer's line is 114 bytes for coordinates below 10,000). Larger files are refused unread.
constexpr std::uint64_t kMaxCourseFileBytes = std::uint64_t{10'000'000} * 128;

// Two number tokens as x and y, with z 0 and w 1.
Vector3 ReadVector2(TokenReader& reader, std::string& token);

// Reads course file text (line ends already translated, as ReadTextFile gives them) into
// the document's handles, luminance, map paths, shown map and objects, after the document's
// contents were deleted. A leading UTF-8 byte-order mark is skipped. The map texture is not
// loaded. Any text reads as some course.
void ParseCourseText(std::string_view text, CTrackwrightDoc& doc);

// The bytes of the course file for the document, CR LF line ends.
std::string CourseFileText(const CTrackwrightDoc& doc);
