#pragma once

#include "framework/Resources.h"

#include <cstdio>

// A text of the command line's string table, formatted, written to a stream (stderr for errors).
template <class... Args>
void PrintCommandText(std::FILE* stream, UINT nID, Args... args)
{
    std::fputs(AfxFormatString(nID, args...).c_str(), stream);
}
