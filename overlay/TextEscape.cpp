#include "overlay/TextEscape.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Reads "(n n n ...)" as sscanf's "(%d %d ...)" would, count numbers after the "(" at text[0].
// Returns false unless all numbers are there; out-of-range numbers are limited to int.
bool ReadNumbers(const char* text, int count, int* out)
{
    if (*text != '(')
        return false;
    const char* p = text + 1;
    for (int i = 0; i < count; ++i) {
        while (std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
        if (!std::isdigit(static_cast<unsigned char>(*digits)))
            return false;
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        out[i] = static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
        p = end;
    }
    return true;
}

}  // namespace

TextEscape ParseTextEscape(const char* text)
{
    TextEscape e;
    if (text[0] != '\\')
        return e;
    const char kind = text[1];
    if (kind == 'b' || kind == 'i') {
        const char sign = text[2];
        if (sign != '+' && sign != '-')
            return e;
        e.kind = kind;
        e.on = sign == '+';
        e.length = 3;
        return e;
    }
    if (kind == 'c' || kind == 'a') {
        if (!ReadNumbers(text + 2, kind == 'c' ? 3 : 4, e.rgba))
            return e;
        // The escape runs to the first ")" after its "("; without one it is no escape.
        const char* close = std::strchr(text + 2, ')');
        if (!close)
            return e;
        e.kind = kind;
        e.length = static_cast<int>(close - text) + 1;
    }
    return e;
}
