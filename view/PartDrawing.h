#pragma once

// The course drawing in pieces, so a frame can send any run of control points or objects on
// its own (or keep it in a display list): each run draws exactly what the whole drawing draws
// for it, given the colour the whole drawing would have left current before it.
#include "view/GlLines.h"

class CourseData;
class CTrackwrightDoc;
class TextOverlay;

// The map square; leaves its grey (L, L, L) current.
void DrawMapSquare(const CourseData& course);
// Control points [first, last), each with its span to the next one; leaves white current
// when it drew any.
void DrawHandleRange(const CourseData& course, int first, int last);
// Objects [first, last) in the colour the drawing before them left current; returns the colour
// current afterwards (a label changes it to the colour its text ended in).
Rgb DrawXObjectRange(const CTrackwrightDoc& doc, int first, int last, Rgb colour, TextOverlay& overlay);
