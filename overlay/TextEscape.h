#pragma once

// The inline escapes of overlay text, read apart from any drawing: "\c(r g b)" and
// "\a(r g b a)" set the colour from 0..255 values, "\b+" / "\b-" switch bold and "\i+" / "\i-"
// italic.

struct TextEscape {
    int length = 0;                  // characters the escape takes; 0 when there is none
    char kind = 0;                   // 'b', 'i', 'c' or 'a'
    bool on = false;                 // 'b' and 'i': switched on
    int rgba[4] = {0, 0, 0, 255};    // 'c' and 'a': the numbers as read
};

// Reads the escape starting at the backslash text[0] of a NUL-terminated text. Nothing past
// the terminating NUL is read.
TextEscape ParseTextEscape(const char* text);
