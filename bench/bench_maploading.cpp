// Loading a 4096 x 4096 24-bit map: the whole LoadMapTexture, and the file decode on its own.
#include "bench/BenchCourse.h"
#include "document/CourseData.h"
#include "file/MapImage.h"
#include "framework/egl/EglContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kSide = 4096;

// Written once per process.
const std::string& MapFile()
{
    static const std::string path = (std::filesystem::temp_directory_path() / "tw_bench_map4096.bmp").string();
    [[maybe_unused]] static const bool written = WriteMapBmp(path, kSide);
    return path;
}

void BM_LoadMapTexture(benchmark::State& state)
{
    EglContext gl;
    if (!gl.Create(64, 64))
        return state.SkipWithError("no headless GL context");
    CourseData course;
    for (auto _ : state) {
        if (!course.LoadMapTexture(MapFile()))
            return state.SkipWithError("map not loaded");
        glFinish();
    }
    // The measured work was the real thing: the full-size image and its whole chain (only a
    // 4096-pixel image has a 13th level, and it is 1 pixel wide).
    GLint level12 = 0;
    glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 12, GL_TEXTURE_WIDTH, &level12);
    if (level12 != 1)
        state.SkipWithError("texture is not the full mipmapped map");
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}
BENCHMARK(BM_LoadMapTexture)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ReadBmp(benchmark::State& state)
{
    for (auto _ : state) {
        MapImageInfo info;
        benchmark::DoNotOptimize(ReadBmp(MapFile(), info).get());
    }
}
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
