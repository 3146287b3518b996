#pragma once

#include "geometry/CourseRecords.h"

// Beyond this magnitude a float no longer holds a hundredth of a course unit.
constexpr double kMaxCourseMagnitude = 1.0e6;

// Finite and within kMaxCourseMagnitude.
bool IsCourseValue(double v);
// Every stored value of a control point usable: position, tangents and widths course values,
// widths not negative.
bool HandleValuesUsable(const CourseHandle& h);
// Every stored value of an object usable: position, direction and size course values.
bool ObjectValuesUsable(const XObject& o);
