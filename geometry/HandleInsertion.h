#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

// The span a Ctrl+click at q inserts into: the highest-numbered handle whose span passes
// within the span radius of q, with the nearest point of its sampled centre line; -1 if none.
int FindInsertionSpan(const RecordList<CourseHandle>& handles, const Vector3& q, Vector3* nearest);

// A smooth handle at M between a and b: tangent the full chord a -> b, widths their means.
CourseHandle MakeInsertedHandle(const CourseHandle& a, const CourseHandle& b, const Vector3& M);

// Inserts a handle on the span under q after its start handle; false when no span is hit.
bool InsertHandleAt(RecordList<CourseHandle>& handles, const Vector3& q);

// Removes the first handle whose control point is under q, but never below 3 handles.
bool DeleteHandleAt(RecordList<CourseHandle>& handles, const Vector3& q);
