// One mouse move through the view's real handler on a course of 10,000 handles and 10,000
// objects: the drag-or-hover pass over every handle and object (and the rubber band or the
// group move of a selection), without the repaint (the window host only counts the
// invalidation; no GL context is current).
#include "doc/TrackwrightDoc.h"
#include "geometry/XObjectQueries.h"
#include "tests/support/TestBackend.h"
#include "view/TrackwrightView.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kHandles = 10000;
constexpr int kObjects = 10000;
constexpr double kRadius = 10000.0;
constexpr double kPi = 3.14159265358979323846;

// A smooth ring of handles about 6.3 units apart, with objects strewn over the ring's square.
void BuildCourse(CTrackwrightDoc& doc)
{
    const double step = 2.0 * kPi / kHandles;
    const double tangent = kRadius * step;
    for (int i = 0; i < kHandles; ++i) {
        const double a = i * step;
        CourseHandle h;
        h.vPos = Vector3(kRadius * std::cos(a), kRadius * std::sin(a), 0.0);
        h.vTanNext = Vector3(-tangent * std::sin(a), tangent * std::cos(a), 0.0);
        h.vTanPrev = Vector3(tangent * std::sin(a), -tangent * std::cos(a), 0.0);
        h.WidthLeft = h.WidthRight = 5.0f;
        doc.m_course.m_handles.Add(h);
    }
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1u << 24);
    };
    for (int i = 0; i < kObjects; ++i) {
        const Vector3 p((next() * 2.0 - 1.0) * kRadius, (next() * 2.0 - 1.0) * kRadius, 0.0);
        AddXObject(doc.m_xobjects, p, "tree_pine.x", 3.0f, 3.0f);
        doc.m_xobjects[i].Direction = static_cast<float>(next() * 2.0 * kPi);
    }
}

struct Scene {
    TestWndHost host;
    CTrackwrightDoc doc;
    CTrackwrightView view;
    std::vector<CPoint> path;

    Scene()
    {
        BuildCourse(doc);
        doc.AddView(&view);
        view.SetHost(&host);
        view.OnSize(0, 800, 600);
        // The whole ring in view: 100 / zoom course units from the centre to the top edge.
        view.m_fZoom = 100.0f / 10500.0f;
        // The mouse walks along the ring, where spans and markers are near, so the hit tests
        // cannot all be rejected cheaply; every eighth point lies inside, away from the ring.
        for (int k = 0; k < 256; ++k) {
            const double a = k * 2.0 * kPi / 256.0;
            const double r = (k % 8 == 0) ? 5000.0 : kRadius;
            const double px = 400.0 + r * std::cos(a) * view.m_fZoom * 3.0;
            const double py = 300.0 - r * std::sin(a) * view.m_fZoom * 3.0;
            path.emplace_back(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
        }
    }
    ~Scene() { doc.RemoveView(&view); }
};

void BM_MouseMoveHover(benchmark::State& state)
{
    Scene s;
    std::size_t i = 0;
    for (auto _ : state) {
        s.view.OnMouseMove(0, s.path[i++ % s.path.size()]);
        benchmark::DoNotOptimize(s.doc.m_course.m_handles[0].HoverPart);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMoveHover)->Unit(benchmark::kMicrosecond);

// A left drag that grabbed one control point: it follows the mouse, the others hover.
void BM_MouseMoveDrag(benchmark::State& state)
{
    Scene s;
    // A pixel covers about 35 course units here: grab with the handle under the view centre.
    s.view.m_vCamera = s.doc.m_course.m_handles[0].vPos;
    s.view.OnLButtonDown(MK_LBUTTON, CPoint(400, 300));
    s.view.m_vCamera = Vector3(0.0, 0.0, 0.0);
    if (s.doc.m_course.m_handles[0].DragPart != HandlePart::Pos)
        state.SkipWithError("the control point was not grabbed");
    std::size_t i = 0;
    for (auto _ : state) {
        s.view.OnMouseMove(MK_LBUTTON, s.path[i++ % s.path.size()]);
        benchmark::DoNotOptimize(s.doc.m_course.m_handles[0].vPos);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMoveDrag)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// A rubber band over empty ground: each move selects the parts inside it anew.
void BM_MouseMoveRubberBand(benchmark::State& state)
{
    Scene s;
    const CPoint corner(400, 300);   // the ring's middle; the press must find nothing there
    s.view.OnLButtonDown(MK_LBUTTON, corner);
    if (s.view.m_gesture.kind != LeftGesture::Kind::Band)
        state.SkipWithError("the press grabbed a part");
    std::size_t i = 0;
    std::size_t selected = 0;
    for (auto _ : state) {
        s.view.OnMouseMove(MK_LBUTTON, s.path[i++ % s.path.size()]);
        selected += s.view.m_selection.Size();
    }
    state.counters["parts_selected"] = benchmark::Counter(double(selected), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MouseMoveRubberBand)->Unit(benchmark::kMicrosecond);

// 2,500 control points and 2,500 objects selected, dragged by one of them.
void BM_MouseMoveGroupDrag5000(benchmark::State& state)
{
    Scene s;
    CourseSelection& sel = s.view.m_selection;
    sel = EmptySelection(s.doc.m_course.m_handles, s.doc.m_xobjects);
    for (int i = 0; i < kHandles; i += 4)
        sel.handles.push_back(i);
    for (int i = 0; i < kObjects; i += 4)
        sel.objects.push_back(i);
    sel.handles.resize(2500);
    sel.objects.resize(2500);
    s.view.m_vCamera = s.doc.m_course.m_handles[0].vPos;
    s.view.OnLButtonDown(MK_LBUTTON, CPoint(400, 300));
    s.view.m_vCamera = Vector3(0.0, 0.0, 0.0);
    if (s.view.m_gesture.kind != LeftGesture::Kind::Group || s.view.m_gesture.start.size() != 5000)
        state.SkipWithError("the group was not grabbed");
    std::size_t i = 0;
    for (auto _ : state) {
        s.view.OnMouseMove(MK_LBUTTON, s.path[i++ % s.path.size()]);
        benchmark::DoNotOptimize(s.doc.m_xobjects[0].Pos);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMoveGroupDrag5000)->Unit(benchmark::kMicrosecond);

}  // namespace
