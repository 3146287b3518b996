// One frame of the view (RenderScene, glFinish included) for a large course, drawn by Mesa's
// software renderer into a 1280 x 800 framebuffer: the editor redraws everything on each paint,
// so this is the time a mouse move costs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <time.h>

#include <benchmark/benchmark.h>

#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/HeadlessWndHost.h"
#include "framework/egl/EglContext.h"
#include "view/TrackwrightView.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// A smooth ring of handles of radius 90 and a grid of objects over the same square, every item
// inside the visible area (a 1280 x 800 view at zoom 1 shows y from -100 to 100).
void FillCourse(CTrackwrightDoc& doc, int handles, int objects)
{
    doc.m_course.m_handles.SetSize(0);
    doc.m_xobjects.RemoveAll();
    const double radius = 90.0;
    const double step = 2.0 * 3.141592653589793 / handles;
    const double tangent = radius * step;
    for (int i = 0; i < handles; ++i) {
        const double a = i * step;
        CourseHandle h;
        h.vPos = Vector3(radius * std::cos(a), radius * std::sin(a), 0.0);
        h.vTanNext = Vector3(-tangent * std::sin(a), tangent * std::cos(a), 0.0);
        h.vTanPrev = -h.vTanNext;
        h.WidthLeft = 5.0f;
        h.WidthRight = 5.0f;
        doc.m_course.m_handles.Add(h);
    }
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(objects))));
    for (int i = 0; i < objects; ++i) {
        const double x = -90.0 + 180.0 * (i % side) / side;
        const double y = -90.0 + 180.0 * (i / side) / side;
        doc.m_xobjects.Add(XObject("tree_pine.x", Vector3(x, y, 0.0), 0.1f * static_cast<float>(i % 63), 3.0f, 2.0f));
    }
}

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

void BM_RenderScene(benchmark::State& state)
{
    EglContext gl;
    if (!gl.Create(kWidth, kHeight)) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    // The real catalogue and font, as the program finds them beside itself.
    CTrackwrightApp app;
    app.m_appDir = std::string(TW_SOURCE_DIR) + "/res/";

    HeadlessWndHost host(kWidth, kHeight);
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    CTrackwrightView view(app.m_appDir);
    view.SetHost(&host);
    doc.AddView(&view);
    view.OnCreate();
    view.OnSize(0, kWidth, kHeight);
    FillCourse(doc, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));

    // Wall time per frame, and the CPU time of the calling thread (the part the drawing code
    // and the driver's front end spend, apart from the rasterizer's own threads).
    std::vector<double> frames;
    std::vector<double> callerCpu;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        view.RenderScene();
        callerCpu.push_back(ThreadCpuMs() - cpuStart);
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["median_ms"] = Median(frames);
    state.counters["caller_cpu_ms"] = Median(callerCpu);
    doc.RemoveView(&view);
}
BENCHMARK(BM_RenderScene)->Args({1000, 1000})->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace
