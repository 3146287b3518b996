#pragma once

// Where the course lies and how much of it the view may show: Home's framing and the limits
// of the zoom, both taken from the course's extent.
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cmath>

// The smallest rectangle around the control points (with their road widths) and the objects
// (with their footprints), in double so that far-apart floats cannot overflow their
// difference. Values that are not finite are left out.
struct CourseBounds {
    double minX = INFINITY;
    double minY = INFINITY;
    double maxX = -INFINITY;
    double maxY = -INFINITY;

    void Add(double x, double y, double margin);
    bool Empty() const { return !(minX <= maxX); }
};

CourseBounds BoundsOf(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);

// Pixels per course unit that show the whole rectangle in a width x height pixel area with a
// tenth of it left free around.
double FitScale(const CourseBounds& b, double width, double height);
