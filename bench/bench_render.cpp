// One frame of the view (RenderScene, glFinish included) for a large course, drawn by Mesa's
// software renderer into 1280 x 800: the editor redraws everything on each paint, so this is
// what a mouse move costs.
#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/HeadlessWndHost.h"
#include "framework/egl/EglContext.h"
#include "view/TrackwrightView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <time.h>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// A smooth ring of radius 90 and a grid of objects over its square, all in view (y -100 to 100).
void FillCourse(CTrackwrightDoc& doc, int handles, int objects)
{
    doc.m_course.m_handles.SetSize(0);
    const double step = 2.0 * M_PI / handles, tangent = 90.0 * step;
    for (int i = 0; i < handles; ++i) {
        CourseHandle h;
        h.vPos = Vector3(90.0 * std::cos(i * step), 90.0 * std::sin(i * step), 0.0);
        h.vTanNext = Vector3(-tangent * std::sin(i * step), tangent * std::cos(i * step), 0.0);
        h.vTanPrev = -h.vTanNext;
        h.WidthLeft = h.WidthRight = 5.0f;
        doc.m_course.m_handles.Add(h);
    }
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(objects))));
    for (int i = 0; i < objects; ++i)
        doc.m_xobjects.Add(XObject("tree_pine.x", Vector3(-90.0 + 180.0 * (i % side) / side, -90.0 + 180.0 * (i / side) / side, 0.0),
                                   0.1f * static_cast<float>(i % 63), 3.0f, 2.0f));
}

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void BM_RenderScene(benchmark::State& state)
{
    EglContext gl;
    if (!gl.Create(kWidth, kHeight))
        return state.SkipWithError("no headless OpenGL context");
    CTrackwrightApp app;   // the real catalogue and font, as the program finds them beside itself
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
    // Wall time per frame, and the CPU time of the calling thread (the drawing code and the
    // driver's front end, apart from the rasterizer's own threads).
    std::vector<double> frames, callerCpu;
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
BENCHMARK(BM_RenderScene)->Args({1000, 1000})->Args({10000, 10000})->Unit(benchmark::kMillisecond)->MinTime(2.0)
    ->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
