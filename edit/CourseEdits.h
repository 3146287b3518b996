#pragma once

#include "doc/TrackwrightDoc.h"

// Edits of the handle ring that the view's handlers make; each returns whether it changed
// the course.

// Grabs every handle part under q (each handle with its next one in the ring).
void PickHandles(CourseData& course, const Vector3& q);
// Moves every dragged part to q or refreshes the hover state; true when anything moved.
bool DragHandles(CourseData& course, const Vector3& q);
void ReleaseHandles(CourseData& course);

// Moves or turns every grabbed object, refreshing the hover state of the others (the
// document's DragXObjects pass); true when a grabbed object's stored values changed.
bool DragObjects(CTrackwrightDoc& doc, const Vector3& q);

// The name of the step a left drag makes, from what is grabbed: the first grabbed handle
// part, else the first grabbed object part; 0 when nothing is grabbed.
UINT DragStepLabel(const CTrackwrightDoc& doc);
