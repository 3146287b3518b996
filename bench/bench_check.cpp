// The course check: the whole check of courses of 10,000, 30,000 and 100,000 control points with
// as many objects (near-linear growth), with the sampling of the road alone as the reference of
// the same run; and the check panel's update after one drag step on 1,000 + 1,000.
#include "app/CourseCheckPanel.h"
#include "bench/BenchCourse.h"
#include "geometry/CourseCheck.h"
#include "geometry/RoadSamples.h"
#include "tests/support/TestBackend.h"
#include "view/TrackwrightView.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A wobbly ring with spans about 6 units long and 5 units of road a side, and one object beside
// each control point: every third at 4 units from the centre line (on the road), the others at 9.
void FillCheckCourse(RecordList<CourseHandle>& handles, RecordList<XObject>& objects, int n)
{
    const double step = 2.0 * 3.141592653589793 / n;
    const double radius = n;
    for (int i = 0; i < n; ++i) {
        const double a = i * step;
        const double r = radius + 20.0 * std::sin(a * 97.0);
        const double t = r * step;
        handles.Add(MakeHandle(r * std::cos(a), r * std::sin(a), -t * std::sin(a), t * std::cos(a), t * std::sin(a),
                               -t * std::cos(a)));
        const double side = (i % 2 ? 1.0 : -1.0) * (i % 3 == 0 ? 4.0 : 9.0);
        objects.Add(XObject("tree_pine.x", Vector3((r + side) * std::cos(a), (r + side) * std::sin(a), 0.0),
                            0.1f * static_cast<float>(i % 63), 1.5f, 1.0f));
    }
}

void BM_Check(benchmark::State& state)
{
    RecordList<CourseHandle> handles;
    RecordList<XObject> objects;
    FillCheckCourse(handles, objects, static_cast<int>(state.range(0)));
    std::size_t findings = 0;
    for (auto _ : state) {
        const CourseCheckResult result = CheckCourse(handles, objects);
        findings = result.findings.size();
        benchmark::DoNotOptimize(result.figures.centreLength);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_Check)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reference: only the sampling of the drawn road, which every check does first.
void BM_SampleRoad(benchmark::State& state)
{
    RecordList<CourseHandle> handles;
    RecordList<XObject> objects;
    FillCheckCourse(handles, objects, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::vector<RoadSpanSamples> road = SampleRoad(handles);
        benchmark::DoNotOptimize(road.data());
    }
}
BENCHMARK(BM_SampleRoad)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One drag step moves a control point (as the drag handler does) and the open panel follows:
// the comparison with the course last checked, the check and the new rows. The bench course of
// the frame benchmarks (radius 90, objects over its square).
void BM_PanelAfterDragStep(benchmark::State& state)
{
    CTrackwrightDoc doc;
    FillCourse(doc, 1000, 1000);
    CTrackwrightView view(TW_SOURCE_DIR "/res/");
    CCourseCheckPanel panel(doc, view);
    TestListPanelHost host;   // keeps what the panel would show
    host.visible = true;
    panel.SetHost(&host);
    panel.Follow();
    int k = 0;
    for (auto _ : state) {
        CourseHandle& h = doc.m_course.m_handles[(k * 37) % 1000];
        h.vPos += Vector3(k % 2 ? 0.25 : -0.25, 0.0, 0.0);
        ++k;
        if (!panel.Follow())
            state.SkipWithError("the panel did not follow the drag step");
    }
    state.counters["rows"] = static_cast<double>(host.rows.size());
    panel.SetHost(nullptr);
}
BENCHMARK(BM_PanelAfterDragStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
