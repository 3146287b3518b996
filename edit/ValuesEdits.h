#pragma once

// The values dialogs at work: a double click's edit of a control point's or an object's
// stored values.
#include "document/TrackwrightDoc.h"

#include <string>
#include <vector>

// Run the dialog for handle or object i; true when OK changed the course (one step).
bool EditPointValues(CTrackwrightDoc& doc, int i);
bool EditXObjectValues(CTrackwrightDoc& doc, int i, const std::vector<std::string>& names);
