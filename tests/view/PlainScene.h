#pragma once

// A frame drawn the plain way the drawing rules describe: immediate mode, line strips, colours
// set between blocks, smooth shading, every item in list order, nothing kept between frames.
// The view's faster ways of drawing must light exactly the same pixels. The view gives camera,
// overlay, selection, rubber band and type list; the label is at cursor (the main window's
// client pixels) in a main window clientBottom pixels high.
#include "view/TrackwrightView.h"

void DrawPlainScene(const CTrackwrightDoc& doc, CTrackwrightView& view, CPoint cursor, int clientBottom);
