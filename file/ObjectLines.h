#pragma once

// The course file's object line ("FileName" x y direction width height, CR LF), which is
// also the form objects take on the clipboard: text a user can read, edit and paste back.
#include "geometry/CourseRecords.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

void AppendXObjectLine(std::string& out, const XObject& o);

// Clipboard text longer than this, or naming more objects, is refused unread.
constexpr std::size_t kMaxObjectText = std::size_t{16} << 20;
constexpr std::size_t kMaxObjectLines = 100000;

// Reads object lines strictly, unlike the forgiving course reader: blank lines and "#"
// comments are skipped, every other line holds a name (quoted when it has spaces, and not
// itself a number) and five finite numbers. Returns false and leaves objects empty for
// anything else, or when no object line is found.
bool ParseXObjectLines(std::string_view text, std::vector<XObject>& objects);
// Whether any line of the text reads as an object line: a paste that fails tells text with
// no object at all from object lines spoilt by others.
bool HoldsXObjectLine(std::string_view text);
