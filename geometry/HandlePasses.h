#pragma once

// The passes of the mouse over the handle ring, as geometry/XObjectQueries.h has them for
// the object list: each handle is tried with its next one in the ring.
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

// Grabs every handle part under q.
void PickHandles(RecordList<CourseHandle>& handles, const Vector3& q);
// Moves every grabbed part to q and refreshes the hover state of the others; true when a
// value the course file stores changed.
bool DragHandles(RecordList<CourseHandle>& handles, const Vector3& q);
void ReleaseHandles(RecordList<CourseHandle>& handles);

// The first control point from index `from` on whose marker (position circle) is under q;
// -1 when none is.
int MarkerAt(const RecordList<CourseHandle>& handles, const Vector3& q, int from = 0);
