#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

// Fixed sizes of an object's parts in course units, whatever the zoom or display scale.
constexpr float kDirectionTipDistance = 10.0f;
constexpr float kBodyRadius = 2.0f;
constexpr float kDirectionTipRadius = 4.0f;

// The plain hit rule, always placing the tip; XObject::HitPart must agree with it.
ObjectPart HitPartPlain(const XObject& o, const Vector3& q, Vector3* offset);
