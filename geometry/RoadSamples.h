#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

#include <array>
#include <vector>

// The road as the view draws it: every span as its centre line and its two borders, each a strip
// of kRoadSegments segments. The course check and the export both work on these vertices, so what
// they report or write is what the user sees.
constexpr int kRoadSegments = 20;

struct RoadSpanSamples {
    std::array<Vector3, kRoadSegments + 1> centre;
    std::array<Vector3, kRoadSegments + 1> left;    // LeftBorder: the normal's side, at WidthLeft
    std::array<Vector3, kRoadSegments + 1> right;   // RightBorder: at WidthRight
};

// The drawn vertices of span i, from handle i to the next one in the ring (0 <= i < count).
RoadSpanSamples SampleRoadSpan(const RecordList<CourseHandle>& handles, int i);
// Every span of the ring in list order; empty for an empty list.
std::vector<RoadSpanSamples> SampleRoad(const RecordList<CourseHandle>& handles);
