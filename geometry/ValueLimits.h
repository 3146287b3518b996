#pragma once

#include "geometry/CourseRecords.h"

// The values a course may hold: what no gesture could exceed on a course anyone drives, and
// small enough that a float still holds a hundredth of a course unit and the spline's sums and
// the view's float maths stay exact. Coordinates, tangents, directions and object sizes lie
// within ±kMaxCourseMagnitude; road widths within [0, kMaxCourseMagnitude] (a negative width
// would put the border on the other side).
constexpr double kMaxCourseMagnitude = 1.0e6;

// Finite and within kMaxCourseMagnitude.
bool IsCourseValue(double v);
// Every stored value of a control point usable: position, tangents and widths course values,
// widths not negative.
bool HandleValuesUsable(const CourseHandle& h);
// Every stored value of an object usable: position, direction and size course values.
bool ObjectValuesUsable(const XObject& o);
