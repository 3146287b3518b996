#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cmath>

// A rectangle of the course plane, in double so that far-apart floats cannot overflow their
// difference; points that are not finite are left out, so a course of only such points has an
// empty extent.
struct CourseExtent {
    double minX = INFINITY;
    double minY = INFINITY;
    double maxX = -INFINITY;
    double maxY = -INFINITY;

    void Add(double x, double y, double margin);
    bool Empty() const { return !(minX <= maxX) || !(minY <= maxY); }
};

// Around what the view draws of a course: both border lines as drawn, each object's body,
// direction tip and footprint at the display scale. What Home and the thumbnail frame.
CourseExtent ExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                            float objectScale);

// Around the control points with their road widths and the objects with their footprints: no
// spline is evaluated, so the zoom limits can ask on every wheel step of a large course.
CourseExtent RoughExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);
