#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

#include <string>

// Fixed sizes of an object's parts in course units, whatever the zoom or display scale.
constexpr float kDirectionTipDistance = 10.0f;
constexpr float kBodyRadius = 2.0f;
constexpr float kDirectionTipRadius = 4.0f;

// The plain hit rule, always placing the tip; XObject::HitPart must agree with it.
ObjectPart HitPartPlain(const XObject& o, const Vector3& q, Vector3* offset);

// Passes of the mouse over the object list, as geometry/HandleInsertion.h has them for handles.
// Every object under q is grabbed, with its offset from the grabbed part.
void PickXObjects(RecordList<XObject>& objects, const Vector3& q);
// Moves the grabbed objects to q, or updates the hover of the others; true when any changed.
bool DragXObjects(RecordList<XObject>& objects, const Vector3& q);
// The same pass; true only when a grabbed object's stored values changed (hovering changes
// nothing the course file stores).
bool DragObjects(RecordList<XObject>& objects, const Vector3& q);
void ReleaseXObjects(RecordList<XObject>& objects);
// Removes the first object whose body is under q.
bool DeleteXObjectAt(RecordList<XObject>& objects, const Vector3& q);
// A new object at q facing up.
void AddXObject(RecordList<XObject>& objects, const Vector3& q, const std::string& fileName, float width,
                float height);
