#pragma once

// The course check's narrow tests, shared with the tests' every-pair reference.
#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

#include <array>

// The segments p0-p1 and q0-q1 cross at one point inside both (touching and overlapping
// collinear segments do not count); the point goes to *at.
bool SegmentsCross(const Vector3& p0, const Vector3& p1, const Vector3& q0, const Vector3& q1, Vector3* at);

// The border step b0-b1 runs against the centre step c0-c1 (negative dot product).
bool RunsAgainst(const Vector3& b0, const Vector3& b1, const Vector3& c0, const Vector3& c1);

// The object's footprint at its stored size; empty (no area) footprints meet nothing.
struct Footprint {
    std::array<Vector3, 4> corners;
    bool hasArea = false;
};
Footprint FootprintOf(const XObject& o);

// The point lies in the footprint or on its edge.
bool FootprintHolds(const Footprint& f, const Vector3& p);

// The footprint and the triangle share some area (touching does not count).
bool FootprintMeetsTriangle(const Footprint& f, const Vector3& a, const Vector3& b, const Vector3& c);

// The road surface of one sample step as two triangles: (l0, l1, r1) and (l0, r1, r0).
bool FootprintMeetsRoadStep(const Footprint& f, const Vector3& l0, const Vector3& l1, const Vector3& r0, const Vector3& r1);

// A handle's and an object's values are all finite and within kMaxCourseMagnitude, so its lines
// and footprint can be measured (a negative width still can: the value rule reports it).
bool HandleGeometryUsable(const CourseHandle& h);
// The span from h0 to h1 takes part in the geometric rules: both ends usable and apart. A span whose
// ends coincide is a value finding; left in, every sample of a run of them would share one point and
// meet every other (a truncated file's thousands of zero control points), a quadratic search.
bool SpanGeometryUsable(const CourseHandle& h0, const CourseHandle& h1);
bool ObjectGeometryUsable(const XObject& o);
