// The view's frames (RenderScene with glFinish) of a large course in Mesa's software renderer at
// 1280 x 800: whole, first, after a hover change or a drag move, or none (a move over empty ground).
// Beside them the floor: the same vertices from one prebuilt buffer, with no per-frame work.
#define GL_GLEXT_PROTOTYPES
#include "bench/BenchCourse.h"
#include "edit/CourseEditor.h"
#include "framework/HeadlessWndHost.h"
#include "framework/egl/EglContext.h"
#include "view/TrackwrightView.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <cmath>
#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Medians of the wall time per frame and of the calling thread's CPU time (the drawing code and
// the driver's front end, not the rasterizer's threads); prepare, if given, runs untimed before each.
template <class Frame, class Prepare = std::nullptr_t>
void TimeFrames(benchmark::State& state, Frame frame, Prepare prepare = nullptr)
{
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        if constexpr (!std::is_null_pointer_v<Prepare>) {
            state.PauseTiming();
            prepare();
            state.ResumeTiming();
        }
        const double start = ClockMs(CLOCK_MONOTONIC), cpuStart = ClockMs(CLOCK_THREAD_CPUTIME_ID);
        frame();
        cpu.push_back(ClockMs(CLOCK_THREAD_CPUTIME_ID) - cpuStart);
        wall.push_back(ClockMs(CLOCK_MONOTONIC) - start);
    }
    state.counters["median_ms"] = Median(wall);
    state.counters["caller_cpu_ms"] = Median(cpu);
}

// A view of the course (handles and objects from the benchmark's two arguments) in a headless
// context; without a context the benchmark is skipped, ok stays false and nothing is drawn.
struct Scene {
    EglContext gl;
    HeadlessWndHost host{kWidth, kHeight};
    CTrackwrightDoc doc;
    CTrackwrightView view{std::string(TW_SOURCE_DIR) + "/res/"};   // the real catalogue and font
    bool ok = false;

    explicit Scene(benchmark::State& state)
    {
        FillCourse(doc, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        if (!gl.Create(kWidth, kHeight)) {
            state.SkipWithError("no headless OpenGL context");
            return;
        }
        view.SetHost(&host);
        view.SetEditInput(std::make_unique<CourseEditor>(view));
        doc.AddView(&view);
        view.OnCreate();
        view.OnSize(0, kWidth, kHeight);
        ok = true;
    }
    ~Scene() { doc.RemoveView(&view); }

    CPoint ClientOf(double x, double y) const
    {
        const double unit = view.m_fZoom * kHeight / 200.0;
        return CPoint(static_cast<int>(std::lround(kWidth / 2.0 + (x - view.m_vCamera.x) * unit)),
                      static_cast<int>(std::lround(kHeight / 2.0 - (y - view.m_vCamera.y) * unit)));
    }

    // After a first frame, one move to at(move) and its frame per iteration; what they drew.
    struct Drawn { int moves, frames, whole; };
    template <class At>
    Drawn Moves(benchmark::State& state, UINT flags, At at)
    {
        if (!ok)
            return {0, 0, 0};
        view.RenderScene();
        Drawn d{0, -view.m_nFrameCount, -view.m_nWholeFrameCount};
        TimeFrames(state, [&] {
            view.OnMouseMove(flags, at(++d.moves));
            view.RenderScene();
        });
        d.frames += view.m_nFrameCount;
        d.whole += view.m_nWholeFrameCount;
        return d;
    }
};

void BM_RenderScene(benchmark::State& state)
{
    Scene s(state);
    int frame = 0;
    if (s.ok)
        TimeFrames(state, [&] {
            // A camera step each frame: the whole picture moves, so every frame is drawn whole.
            s.view.m_vCamera.x = (++frame % 2) * 0.01f;
            s.view.RenderScene();
        });
}

// The mouse from empty ground onto a control point and back: the hover pass and its partial frame.
void BM_HoverChange(benchmark::State& state)
{
    Scene s(state);
    const CPoint empty = s.ClientOf(118.0, 110.0);   // beyond the objects' reach
    const CPoint point = s.ClientOf(90.0, 0.0);      // control point 0
    const Scene::Drawn d = s.Moves(state, 0, [&](int move) { return move % 2 ? point : empty; });
    if (d.frames != d.moves || d.whole != 0)
        state.SkipWithError("a move did not change the hover, or a hover change drew the whole frame");
}

// The first frame of a course just opened: every run of the course is sent for the first time.
void BM_FirstFrame(benchmark::State& state)
{
    Scene s(state);
    if (s.ok)
        TimeFrames(state, [&] { s.view.RenderScene(); }, [&] {
            s.view.m_parts.Release();
            s.view.m_lastFrame = SceneLook();
        });
}

// Moves over empty ground: the hover pass finds nothing and the comparison with the last frame asks for none.
void BM_EmptyMoves(benchmark::State& state)
{
    Scene s(state);
    const auto at = [&](int move) { return s.ClientOf(118.0 + move % 7, 110.0 + move % 5); };
    if (s.Moves(state, 0, at).frames != 0)
        state.SkipWithError("a move over empty ground drew a frame");
}

// One move of a left drag of control point 0, with its frame. The ring is too dense for a press
// to take one point alone, so the point is grabbed as such a press would grab it.
void BM_DragOnePoint(benchmark::State& state)
{
    Scene s(state);
    const CPoint grab = s.ClientOf(90.0, 0.0);
    s.view.m_bLButtonDown = true;
    s.doc.m_course.m_handles[0].DragPart = HandlePart::Pos;
    const auto at = [&](int move) { return CPoint(grab.x + move % 16 - 8, grab.y + move % 8); };
    if (s.Moves(state, MK_LBUTTON, at).whole != 0)
        state.SkipWithError("a drag move drew the whole frame");
}

// One vertex as the floor sends it: window position and colour.
struct FloorVertex { GLubyte rgba[4]; GLfloat x, y, z; };

// The vertices of one whole frame in window coordinates, from GL's feedback of the view's own
// drawing (lines, and filled polygons as triangles), drawn from one buffer.
void BM_Floor(benchmark::State& state)
{
    Scene s(state);
    if (!s.ok)
        return;
    const std::size_t handles = std::size_t(s.doc.m_course.m_handles.GetSize());
    std::vector<GLfloat> fb((handles * 240 + std::size_t(s.doc.m_xobjects.GetSize()) * 48 + 100000) * 8);
    glFeedbackBuffer(static_cast<GLsizei>(fb.size()), GL_3D_COLOR, fb.data());
    glRenderMode(GL_FEEDBACK);
    s.view.m_vCamera.x += 0.005f;   // a frame of its own, drawn whole
    s.view.RenderScene();
    const GLint n = glRenderMode(GL_RENDER);
    GLint k = 0;
    const auto vertex = [&] {
        FloorVertex v{{}, fb[k], fb[k + 1], fb[k + 2]};
        for (int c = 0; c < 4; ++c)
            v.rgba[c] = static_cast<GLubyte>(std::lround(std::clamp(fb[k + 3 + c], 0.0f, 1.0f) * 255.0f));
        k += 7;
        return v;
    };
    std::vector<FloorVertex> lines, triangles;
    while (k < n) {
        const GLint token = static_cast<GLint>(fb[k++]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            lines.insert(lines.end(), {vertex(), vertex()});   // braced lists evaluate in order
        } else if (token == GL_POLYGON_TOKEN) {
            std::vector<FloorVertex> polygon(static_cast<std::size_t>(fb[k++]));
            std::generate(polygon.begin(), polygon.end(), vertex);
            for (std::size_t j = 2; j < polygon.size(); ++j)
                triangles.insert(triangles.end(), {polygon[0], polygon[j - 1], polygon[j]});
        } else {
            k += token == GL_PASS_THROUGH_TOKEN ? 1 : 7;   // a point, bitmap or pixel copy: one vertex
        }
    }
    const GLsizei lineCount = static_cast<GLsizei>(lines.size());
    lines.insert(lines.end(), triangles.begin(), triangles.end());
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(lines.size() * sizeof(FloorVertex)), lines.data(), GL_STATIC_DRAW);
    glInterleavedArrays(GL_C4UB_V3F, 0, nullptr);   // FloorVertex, from the buffer's start
    // Window coordinates straight through: x, y in pixels, depth 0 to 1.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kWidth, 0.0, kHeight, 0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_FLAT);
    TimeFrames(state, [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_LINES, 0, lineCount);
        glDrawArrays(GL_TRIANGLES, lineCount, static_cast<GLsizei>(triangles.size()));
        glFinish();
    });
    glDeleteBuffers(1, &buffer);
}

// Frame times in milliseconds of wall time, with the whole process's CPU time beside them.
void Frames(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
}

// The floor first, then the frame, in one run: both see the same machine.
BENCHMARK(BM_Floor)->Args({1000, 1000})->Args({10000, 10000})->Apply(Frames);
BENCHMARK(BM_RenderScene)->Args({1000, 1000})->Args({10000, 10000})->Apply(Frames);
BENCHMARK(BM_FirstFrame)->Args({10000, 10000})->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_EmptyMoves)->Args({10000, 10000})->Apply(Frames)->MinTime(1.0);
BENCHMARK(BM_HoverChange)->Args({10000, 10000})->Apply(Frames);
BENCHMARK(BM_DragOnePoint)->Args({10000, 10000})->Apply(Frames);

}  // namespace
