#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

// Pick radii in course units.
constexpr float kPosRadius = 2.0f;
constexpr float kTangentTipRadius = 4.0f;
constexpr float kWidthMarkerRadius = 2.0f;
constexpr float kSpanRadius = 2.0f;
// A tangent's tip is drawn at this fraction of the stored tangent.
constexpr float kTangentTipScale = 0.2f;

// The plain rules, testing every marker and every chord. The member functions skip work
// that provably cannot hit and must give the same answers; these are their reference.
HandlePart HandlePartAtPlain(const CourseHandle& h, const CourseHandle& n, const Vector3& q, Vector3* offset);
bool SpanHitPlain(const CourseHandle& h, const CourseHandle& n, float radius, const Vector3& q, Vector3* nearest);
