// The 3-D preview at 1280 x 800 on Mesa's software renderer (headless EGL): a frame of the sample
// course with its map; a frame of 10,000 control points and 10,000 objects over a 4096 x 4096
// height and colour map; and what one drag move costs on 1,000 + 1,000 (a control point: the road
// and borders of the two spans at it are built again; an object: its box). The reference in the
// same run is a frame that
// only clears the window and waits for the renderer, the floor every frame pays. Times are wall
// clock: the renderer works on threads of its own while the caller waits. The frames also give
// cpu_ms, the process's CPU time per frame over all its threads (the renderer's too): the work
// itself, which a machine shared with other jobs does not stretch as it stretches the wall clock.
#include "bench/BenchCourse.h"
#include "framework/egl/EglContext.h"
#include "view/PreviewScene.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

EglContext& Gl()
{
    static EglContext gl;
    static const bool made = gl.Create(kWidth, kHeight);
    (void)made;
    return gl;
}

void Frames(benchmark::State& state, const CTrackwrightDoc& doc)
{
    Gl();
    PreviewScene scene;
    scene.Update(doc);
    const PreviewCamera home = HomeCamera(scene.Bounds(), double(kWidth) / kHeight);
    // The texture goes up and the meshes are compiled once, before the timing.
    scene.Draw(home, kWidth, kHeight);
    scene.Draw(home, kWidth, kHeight);
    glFinish();
    const double cpuStart = ClockMs(CLOCK_PROCESS_CPUTIME_ID);
    for (auto _ : state) {
        scene.Draw(home, kWidth, kHeight);
        glFinish();
    }
    state.counters["cpu_ms"] = (ClockMs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) / double(state.iterations());
    // The level of detail the frames drew at: every how many rows of the terrain and the road.
    state.counters["terrain_stride"] = scene.TerrainStride();
    state.counters["road_stride"] = scene.RoadStride();
    scene.ReleaseGl();
}

void BM_ClearOnly(benchmark::State& state)
{
    Gl();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    }
}
BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewFrameSample(benchmark::State& state)
{
    CTrackwrightDoc doc;
    if (!doc.OnOpenDocument(std::string(TW_SOURCE_DIR) + "/samples/hills.crs")) {
        state.SkipWithError("sample not read");
        return;
    }
    Frames(state, doc);
}
BENCHMARK(BM_PreviewFrameSample)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewFrameLarge(benchmark::State& state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tw_bench_preview";
    std::filesystem::create_directories(dir);
    CTrackwrightDoc doc;
    FillLargeCourse(doc, dir.string());
    Frames(state, doc);
}
BENCHMARK(BM_PreviewFrameLarge)->Unit(benchmark::kMillisecond)->UseRealTime();

// One move of a drag: the part moves by a little, the scene catches up.
void Rebuild(benchmark::State& state, bool object)
{
    CTrackwrightDoc doc;
    FillCourse(doc, 1000, 1000);
    PreviewScene scene;
    scene.Update(doc);
    float step = 0.01f;
    for (auto _ : state) {
        if (object)
            doc.m_xobjects[500].Pos.x += step;
        else
            doc.m_course.m_handles[500].vPos.x += step;
        step = -step;
        scene.Update(doc);
    }
}

void BM_RebuildAfterControlPointMove(benchmark::State& state)
{
    Rebuild(state, false);
}
BENCHMARK(BM_RebuildAfterControlPointMove)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RebuildAfterObjectMove(benchmark::State& state)
{
    Rebuild(state, true);
}
BENCHMARK(BM_RebuildAfterObjectMove)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
