#pragma once

// A whole frame drawn the plain way: immediate mode, line strips, every item in list order, nothing
// kept between frames. The view gives camera, overlay, selection, rubber band and type list; the
// label is at cursor (the main window's client pixels) in a main window clientBottom pixels high.
#include "view/TrackwrightView.h"

void DrawPlainScene(const CTrackwrightDoc& doc, CTrackwrightView& view, CPoint cursor, int clientBottom);
