#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

// The smallest rectangle of the course plane around what the view draws of a course: both
// border lines as drawn, each object's body, direction tip and footprint at the display scale.
// In double, so that far-apart floats cannot overflow their difference; points that are not
// finite are left out, so a course of only such points has an empty extent.
struct CourseExtent {
    double minX;
    double minY;
    double maxX;
    double maxY;

    bool Empty() const { return !(minX <= maxX) || !(minY <= maxY); }
};

CourseExtent ExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                            float objectScale);
