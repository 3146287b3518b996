// One mouse move over a big course: the drag-or-hover pass over every handle and object
// (what OnMouseMove does before it asks for a repaint).
#include "doc/TrackwrightDoc.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kHandles = 10000;
constexpr int kObjects = 10000;

// A ring of handles about 20 units apart, shaped like the default course, with objects
// scattered along it, and mouse points on, beside and away from the course.
struct BigCourse {
    CTrackwrightDoc doc;
    std::vector<Vector3> points;

    BigCourse()
    {
        const double pi = 3.141592653589793;
        const double radius = kHandles * 20.0 / (2 * pi);
        const double tangent = 2 * pi * radius / kHandles * 1.08;
        auto& handles = doc.m_course.m_handles;
        for (int i = 0; i < kHandles; ++i) {
            const double a = 2 * pi * i / kHandles;
            CourseHandle h;
            h.vPos = Vector3(radius * std::cos(a), radius * std::sin(a), 0);
            h.vTanNext = Vector3(-tangent * std::sin(a), tangent * std::cos(a), 0);
            h.vTanPrev = -h.vTanNext;
            h.WidthLeft = h.WidthRight = 5.0f;
            handles.Add(h);
        }
        std::mt19937 rng(1);
        std::uniform_real_distribution<double> angle(0, 2 * pi), across(-30, 30), anywhere(-radius, radius);
        for (int i = 0; i < kObjects; ++i) {
            const double a = angle(rng), r = radius + across(rng);
            doc.AddXObject(Vector3(r * std::cos(a), r * std::sin(a), 0), "tree.x", 1, 1);
        }
        for (int i = 0; i < 64; ++i) {
            const double a = angle(rng);
            const double r = i % 2 ? radius + across(rng) / 10 : std::fabs(anywhere(rng));
            points.push_back(Vector3(r * std::cos(a), r * std::sin(a), 0));
        }
    }
};

BigCourse& Course()
{
    static BigCourse course;
    return course;
}

void BM_MouseMoveHover(benchmark::State& state)
{
    BigCourse& c = Course();
    auto& handles = c.doc.m_course.m_handles;
    const int n = handles.GetSize();
    std::size_t p = 0;
    for (auto _ : state) {
        const Vector3& q = c.points[p++ % c.points.size()];
        for (int i = 0; i < n; ++i)
            handles[i].DragHandle(handles[(i + 1) % n], q);
        benchmark::DoNotOptimize(c.doc.DragXObjects(q));
    }
    state.SetLabel("10000 handles + 10000 objects");
}
BENCHMARK(BM_MouseMoveHover)->Unit(benchmark::kMicrosecond);

// The same pass with the plain rules, testing every marker and chord: what the skipping saves.
void BM_MouseMoveHoverPlain(benchmark::State& state)
{
    BigCourse& c = Course();
    auto& handles = c.doc.m_course.m_handles;
    const int n = handles.GetSize();
    std::size_t p = 0;
    for (auto _ : state) {
        const Vector3& q = c.points[p++ % c.points.size()];
        for (int i = 0; i < n; ++i)
            handles[i].HoverPart = HandlePartAtPlain(handles[i], handles[(i + 1) % n], q, nullptr);
        for (XObject& o : c.doc.m_xobjects)
            o.HoverPart = HitPartPlain(o, q, nullptr);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MouseMoveHoverPlain)->Unit(benchmark::kMicrosecond);

}  // namespace
