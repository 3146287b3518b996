#include "geometry/RoadSamples.h"

#include "geometry/CourseSpline.h"

RoadSpanSamples SampleRoadSpan(const RecordList<CourseHandle>& handles, int i)
{
    const CourseHandle& h0 = handles[i];
    const CourseHandle& h1 = NextInRing(handles, i);
    RoadSpanSamples s;
    SampleSpan(h0, h1, Centre, kRoadSegments, s.centre.data());
    SampleSpan(h0, h1, LeftBorder, kRoadSegments, s.left.data());
    SampleSpan(h0, h1, RightBorder, kRoadSegments, s.right.data());
    return s;
}

std::vector<RoadSpanSamples> SampleRoad(const RecordList<CourseHandle>& handles)
{
    std::vector<RoadSpanSamples> road;
    road.reserve(static_cast<std::size_t>(handles.GetSize()));
    for (int i = 0; i < handles.GetSize(); ++i)
        road.push_back(SampleRoadSpan(handles, i));
    return road;
}
