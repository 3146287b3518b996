// One whole frame of the view (RenderScene, glFinish included) for a large course, drawn by
// Mesa's software renderer into a 1280 x 800 framebuffer, as a camera move draws it; and beside
// it the floor: the very same vertices, caught once with GL's feedback mode, drawn from one
// prebuilt buffer with no per-frame work at all. The gap between the two is what the view's
// own way of sending a frame costs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <time.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <benchmark/benchmark.h>

#include "bench/BenchCourse.h"
#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/HeadlessWndHost.h"
#include "framework/egl/EglContext.h"
#include "view/TrackwrightView.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The application, its folder holding the real catalogue and font.
struct DataDirApp : CTrackwrightApp {
    DataDirApp() { m_appDir = std::string(TW_SOURCE_DIR) + "/res/"; }
};

// A view of the course in a headless context.
struct Scene {
    EglContext gl;
    DataDirApp app;
    HeadlessWndHost host{kWidth, kHeight};
    CTrackwrightDoc doc;
    // The catalogue and font beside the program are found through the application's folder.
    CTrackwrightView view{app.m_appDir};
    bool ok = false;

    Scene(int handles, int objects)
    {
        if (!gl.Create(kWidth, kHeight))
            return;
        doc.OnNewDocument();
        view.SetHost(&host);
        doc.AddView(&view);
        view.OnCreate();
        view.OnSize(0, kWidth, kHeight);
        FillCourse(doc, handles, objects);
        ok = true;
    }
    ~Scene() { doc.RemoveView(&view); }
};

// Wall time per frame, and the CPU time of the calling thread (the part the drawing code
// and the driver's front end spend, apart from the rasterizer's own threads).
template <class DrawFrame>
void TimeFrames(benchmark::State& state, DrawFrame drawFrame)
{
    std::vector<double> frames;
    std::vector<double> callerCpu;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        drawFrame();
        callerCpu.push_back(ThreadCpuMs() - cpuStart);
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["median_ms"] = Median(frames);
    state.counters["caller_cpu_ms"] = Median(callerCpu);
}

void BM_RenderScene(benchmark::State& state)
{
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    int frame = 0;
    TimeFrames(state, [&] {
        // A camera step each frame: the whole picture moves, so every frame is drawn whole.
        s.view.m_vCamera.x = (++frame % 2) * 0.01f;
        s.view.RenderScene();
    });
}

// Client pixel of course point (x, y) in the benchmark's view (camera at the origin).
CPoint ClientOf(const CTrackwrightView& view, double x, double y)
{
    const double unit = view.m_fZoom * kHeight / 200.0;
    return CPoint(static_cast<int>(std::lround(kWidth / 2.0 + (x - view.m_vCamera.x) * unit)),
                  static_cast<int>(std::lround(kHeight / 2.0 - (y - view.m_vCamera.y) * unit)));
}

// The mouse from empty ground onto a control point and back, one move per iteration: the
// handler's hover pass and the frame it asks for, which redraws what the hover changed.
void BM_HoverChange(benchmark::State& state)
{
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    s.view.RenderScene();
    const CPoint empty = ClientOf(s.view, 118.0, 110.0);   // beyond the objects' reach
    const CPoint point = ClientOf(s.view, 90.0, 0.0);       // control point 0
    int frames = s.view.m_nFrameCount;
    int move = 0;
    TimeFrames(state, [&] {
        s.view.OnMouseMove(0, ++move % 2 ? point : empty);
        s.view.RenderScene();
    });
    if (s.view.m_nFrameCount - frames != move)
        state.SkipWithError("a move did not change the hover");
    if (s.view.m_nWholeFrameCount != 1)
        state.SkipWithError("a hover change drew the whole frame");
}

// The first frame of a course just opened: every run of the course is sent for the first time.
void BM_FirstFrame(benchmark::State& state)
{
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    std::vector<double> frames;
    std::vector<double> callerCpu;
    for (auto _ : state) {
        state.PauseTiming();
        s.view.m_parts.Release();
        s.view.m_lastFrame = SceneLook();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        s.view.RenderScene();
        callerCpu.push_back(ThreadCpuMs() - cpuStart);
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["median_ms"] = Median(frames);
    state.counters["caller_cpu_ms"] = Median(callerCpu);
}

// Mouse moves over empty ground: the hover pass finds nothing, the view compares the scene with
// its last frame and asks for none; the paint the window system may still send draws nothing.
void BM_EmptyMoves(benchmark::State& state)
{
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    s.view.RenderScene();
    const int frames = s.view.m_nFrameCount;
    int move = 0;
    TimeFrames(state, [&] {
        ++move;
        s.view.OnMouseMove(0, ClientOf(s.view, 118.0 + (move % 7), 110.0 + (move % 5)));
        s.view.RenderScene();
    });
    if (s.view.m_nFrameCount != frames)
        state.SkipWithError("a move over empty ground drew a frame");
}

// One mouse move of a left drag that grabbed one control point, with the frame it asks for.
void BM_DragOnePoint(benchmark::State& state)
{
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    // The ring is too dense to grab one point by clicking (a press takes every marker under
    // the mouse), so control point 0 is grabbed as a press on it alone would grab it.
    const CPoint grab = ClientOf(s.view, 90.0, 0.0);
    s.view.m_bLButtonDown = true;
    s.doc.m_course.m_handles[0].DragPart = HandlePart::Pos;
    s.view.RenderScene();
    int move = 0;
    const int whole = s.view.m_nWholeFrameCount;
    TimeFrames(state, [&] {
        ++move;
        s.view.OnMouseMove(MK_LBUTTON, CPoint(grab.x + (move % 16) - 8, grab.y + (move % 8)));
        s.view.RenderScene();
    });
    if (s.view.m_nWholeFrameCount != whole)
        state.SkipWithError("a drag move drew the whole frame");
}

// One vertex as the floor sends it: window position and colour.
struct FloorVertex {
    GLfloat x, y, z;
    GLubyte rgba[4];
};

// The vertices of one whole frame in window coordinates, lines and filled polygons (as
// triangles) apart, from GL's feedback of the view's own drawing.
void CaptureFrame(CTrackwrightView& view, int handles, int objects, std::vector<FloorVertex>& lines,
                  std::vector<FloorVertex>& triangles)
{
    std::vector<GLfloat> feedback((static_cast<std::size_t>(handles) * 240 + static_cast<std::size_t>(objects) * 48 + 100000) * 8);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D_COLOR, feedback.data());
    glRenderMode(GL_FEEDBACK);
    view.m_vCamera.x += 0.005f;   // a frame of its own, drawn whole
    view.RenderScene();
    const GLint n = glRenderMode(GL_RENDER);
    auto vertex = [&](GLint& k) {
        FloorVertex v{feedback[k], feedback[k + 1], feedback[k + 2], {}};
        for (int c = 0; c < 4; ++c)
            v.rgba[c] = static_cast<GLubyte>(std::lround(std::clamp(feedback[k + 3 + c], 0.0f, 1.0f) * 255.0f));
        k += 7;
        return v;
    };
    for (GLint k = 0; k < n;) {
        const GLint token = static_cast<GLint>(feedback[k++]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            lines.push_back(vertex(k));
            lines.push_back(vertex(k));
        } else if (token == GL_POLYGON_TOKEN) {
            const GLint count = static_cast<GLint>(feedback[k++]);
            std::vector<FloorVertex> poly;
            for (GLint j = 0; j < count; ++j)
                poly.push_back(vertex(k));
            for (GLint j = 1; j + 1 < count; ++j)
                triangles.insert(triangles.end(), {poly[0], poly[j], poly[j + 1]});
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            k += 7;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            k += 1;
        } else {
            break;
        }
    }
}

void BM_Floor(benchmark::State& state)
{
    const int handles = static_cast<int>(state.range(0));
    const int objects = static_cast<int>(state.range(1));
    Scene s(handles, objects);
    if (!s.ok) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    std::vector<FloorVertex> lines;
    std::vector<FloorVertex> triangles;
    CaptureFrame(s.view, handles, objects, lines, triangles);
    std::vector<FloorVertex> all = lines;
    all.insert(all.end(), triangles.begin(), triangles.end());
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(all.size() * sizeof(FloorVertex)), all.data(), GL_STATIC_DRAW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(FloorVertex), nullptr);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(FloorVertex), reinterpret_cast<const void*>(offsetof(FloorVertex, rgba)));
    // Window coordinates straight through: x, y in pixels, depth 0 to 1.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kWidth, 0.0, kHeight, 0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_FLAT);
    TimeFrames(state, [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size()));
        glDrawArrays(GL_TRIANGLES, static_cast<GLint>(lines.size()), static_cast<GLsizei>(triangles.size()));
        glFinish();
    });
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
}

// The floor first, then the frame, in one run: both see the same machine.
BENCHMARK(BM_Floor)->Args({1000, 1000})->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RenderScene)->Args({1000, 1000})->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_FirstFrame)->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();
BENCHMARK(BM_EmptyMoves)->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_HoverChange)->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_DragOnePoint)->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace
