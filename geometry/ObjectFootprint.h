#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

#include <array>

// The corners of an object's footprint rectangle as the view draws it: half extents Width and
// Height, times scale, turned clockwise by Direction about Pos. Counter-clockwise order from
// (-Width, -Height); the course check and the export use scale 1 (the stored size).
std::array<Vector3, 4> FootprintCorners(const XObject& o, float scale);
