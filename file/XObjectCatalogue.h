#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cstdint>
#include <string_view>

// The catalogue lists a few hundred names; a file over this is not one and is left unread.
constexpr std::uint64_t kMaxCatalogueFileBytes = std::uint64_t{4} << 20;

// Parses catalogue text (line ends already translated): name, width, height per entry,
// ended by a name token "%end" in any letter case or by the end of the text. A leading
// UTF-8 byte-order mark is skipped.
void ParseXObjectCatalogue(std::string_view text, RecordList<XObjectType>& types);
