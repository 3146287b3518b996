#pragma once

// Where the course lies: the rectangle Home frames and the zoom limits are measured by.
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
