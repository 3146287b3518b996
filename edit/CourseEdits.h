#pragma once

#include "framework/Afx.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

// The passes of the view's mouse handlers over the handle ring and the object list; the
// drags return whether they changed what the course file stores.

// Grabs every handle part under q (each handle with its next one in the ring).
void PickHandles(RecordList<CourseHandle>& handles, const Vector3& q);
// Moves every dragged part to q or refreshes the hover state; true when anything moved.
bool DragHandles(RecordList<CourseHandle>& handles, const Vector3& q);
void ReleaseHandles(RecordList<CourseHandle>& handles);

// Moves or turns every grabbed object, refreshing the hover state of the others (the
// DragXObjects pass over the list); true when a grabbed object's stored values changed.
bool DragObjects(RecordList<XObject>& objects, const Vector3& q);

// The name of the step a left drag makes, from what is grabbed: the first grabbed handle
// part, else the first grabbed object part; 0 when nothing is grabbed.
UINT DragStepLabel(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);
