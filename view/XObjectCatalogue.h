#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <string_view>

// Parses catalogue text (line ends already translated): name, width, height per entry,
// ended by a name token "%end" in any letter case or by the end of the text.
void ParseXObjectCatalogue(std::string_view text, RecordList<XObjectType>& types);
