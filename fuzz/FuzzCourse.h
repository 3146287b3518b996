#pragma once

// What the two course targets share: the text read as Open reads it, with fewer zero records.
#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include <cstddef>
#include <string>

// Huge counts of zero records only repeat one line and starve the search; the reader's own
// tests keep its full allowance.
constexpr std::size_t kFuzzZeroRecords = 64;

// The bytes as a text-mode read presents them, then parsed.
inline StoredCourse ReadFuzzCourse(std::string text)
{
    DropCrBeforeLf(text);
    TokenReader reader(text);
    return ParseCourse(reader, kFuzzZeroRecords);
}
