#pragma once

// The values an edit may give a course: what no gesture could exceed on a course anyone
// drives, and small enough that the spline's sums and the view's float maths stay exact.
// Coordinates, tangents and object sizes lie within ±kMaxCourseValue; road widths within
// [0, kMaxCourseValue] (a negative width would put the border on the other side).
constexpr double kMaxCourseValue = 1000000.0;
