// Loading a 4096 x 4096 24-bit map: the whole LoadMapTexture, and the file decode on its own.
#include "doc/CourseData.h"
#include "doc/MapImage.h"
#include "framework/egl/EglContext.h"
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
namespace {
constexpr int kSide = 4096;
// Written once per process: a smooth colour pattern, so nothing compresses or repeats.
const std::string& MapFile()
{
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "tw_bench_map4096.bmp").string();
        std::vector<std::uint8_t> b(54 + std::size_t(kSide) * kSide * 3);
        const auto put32 = [&b](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 24;
        put32(2, static_cast<std::uint32_t>(b.size())), put32(10, 54), put32(14, 40), put32(18, kSide), put32(22, kSide);
        for (std::size_t i = 0, x = 0, y = 0; i < std::size_t(kSide) * kSide; ++i, x = i % kSide, y = i / kSide) {
            b[54 + 3 * i] = static_cast<std::uint8_t>(x), b[55 + 3 * i] = static_cast<std::uint8_t>(y);
            b[56 + 3 * i] = static_cast<std::uint8_t>((x ^ y) >> 4);
        }
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
        return p;
    }();
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
    // The measured work was the real thing: the full-size image and its whole chain.
    GLint level0 = 0, level12 = 0;
    glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &level0);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 12, GL_TEXTURE_WIDTH, &level12);
    if (level0 != kSide || level12 != 1)
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
