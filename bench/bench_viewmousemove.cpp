// One mouse move through the view's handler over 10,000 handles and objects (and the rubber
// band or a selection's group move), without the repaint.
#include "bench/BenchCourse.h"
#include "edit/CourseEditor.h"
#include "framework/HeadlessWndHost.h"
#include "geometry/XObjectQueries.h"
#include "view/TrackwrightView.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int kCount = 10000;

CourseEditor& Editor(CTrackwrightView& view)
{
    return static_cast<CourseEditor&>(*view.GetEditInput());
}
constexpr double kRadius = 10000.0;

// The shared ring of handles at radius 10,000 (6.3 units apart), objects scattered over its
// square; the mouse walks the ring (every 8th point inside).
struct Scene {
    HeadlessWndHost host{800, 600};
    CTrackwrightDoc doc;
    CTrackwrightView view;
    std::vector<CPoint> path;
    Scene()
    {
        FillCourse(doc, kCount, 0, kRadius);
        std::uint32_t seed = 12345;
        const auto next = [&seed] { return ((seed = seed * 1664525u + 1013904223u) >> 8) / double(1u << 24); };
        for (int i = 0; i < kCount; ++i) {
            const double x = (next() * 2.0 - 1.0) * kRadius, y = (next() * 2.0 - 1.0) * kRadius;
            AddXObject(doc.m_xobjects, Vector3(x, y, 0.0), "tree_pine.x", 3.0f, 3.0f);
            doc.m_xobjects[i].Direction = static_cast<float>(next() * 2.0 * M_PI);
        }
        doc.AddView(&view);
        view.SetHost(&host);
        view.SetEditInput(std::make_unique<CourseEditor>(view));
        view.OnSize(0, 800, 600);
        view.m_fZoom = 100.0f / 10500.0f;   // the whole ring in view
        for (int k = 0; k < 256; ++k) {
            const double a = k * 2.0 * M_PI / 256.0, r = (k % 8 == 0) ? 5000.0 : kRadius;
            path.emplace_back(static_cast<int>(std::lround(400.0 + r * std::cos(a) * view.m_fZoom * 3.0)),
                              static_cast<int>(std::lround(300.0 - r * std::sin(a) * view.m_fZoom * 3.0)));
        }
    }
    ~Scene() { doc.RemoveView(&view); }
    // A pixel covers about 35 course units here: press with the first handle under the view centre.
    void PressOnFirstHandle()
    {
        view.m_vCamera = doc.m_course.m_handles[0].vPos;
        view.OnLButtonDown(MK_LBUTTON, CPoint(400, 300));
        view.m_vCamera = Vector3(0.0, 0.0, 0.0);
    }
    void Walk(benchmark::State& state, UINT flags)
    {
        std::size_t i = 0;
        for (auto _ : state)
            view.OnMouseMove(flags, path[i++ % path.size()]);
    }
};

void BM_MouseMoveHover(benchmark::State& state)
{
    Scene().Walk(state, 0);
}
BENCHMARK(BM_MouseMoveHover)->Unit(benchmark::kMicrosecond);

// A left drag that grabbed one control point: it follows the mouse, the others hover.
void BM_MouseMoveDrag(benchmark::State& state)
{
    Scene s;
    s.PressOnFirstHandle();
    if (s.doc.m_course.m_handles[0].DragPart != HandlePart::Pos)
        state.SkipWithError("the control point was not grabbed");
    s.Walk(state, MK_LBUTTON);
}
BENCHMARK(BM_MouseMoveDrag)->Unit(benchmark::kMicrosecond);

// A rubber band over empty ground: each move selects the parts inside it anew.
void BM_MouseMoveRubberBand(benchmark::State& state)
{
    Scene s;
    s.view.OnLButtonDown(MK_LBUTTON, CPoint(400, 300));   // the ring's middle: nothing to grab
    if (Editor(s.view).m_gesture.kind != LeftGesture::Kind::Band)
        state.SkipWithError("the press grabbed a part");
    s.Walk(state, MK_LBUTTON);
    state.counters["parts_selected"] = double(Editor(s.view).m_selection.Size());   // at the last move
}
BENCHMARK(BM_MouseMoveRubberBand)->Unit(benchmark::kMicrosecond);

// 2,500 control points and 2,500 objects selected, dragged by one of them.
void BM_MouseMoveGroupDrag5000(benchmark::State& state)
{
    Scene s;
    CourseSelection& sel = Editor(s.view).m_selection;
    sel = EmptySelection(s.doc.m_course.m_handles, s.doc.m_xobjects);
    for (int i = 0; i < kCount; i += 4) {
        sel.handles.push_back(i);
        sel.objects.push_back(i);
    }
    s.PressOnFirstHandle();
    if (Editor(s.view).m_gesture.kind != LeftGesture::Kind::Group || Editor(s.view).m_gesture.start.size() != 5000)
        state.SkipWithError("the group was not grabbed");
    s.Walk(state, MK_LBUTTON);
}
BENCHMARK(BM_MouseMoveGroupDrag5000)->Unit(benchmark::kMicrosecond);

}  // namespace
