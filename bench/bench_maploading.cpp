// Loading a 4096 x 4096 24-bit map: the whole LoadMapTexture, and the file decode on its own.
#include "doc/CourseData.h"
#include "doc/MapImage.h"
#include "framework/egl/EglContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 4096;

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Writes the map once per process: a smooth colour pattern, so nothing compresses or repeats.
const std::string& MapFile()
{
    static const std::string path = [] {
        const std::string p =
            (std::filesystem::temp_directory_path() / "tw_bench_map4096.bmp").string();
        const std::size_t data = std::size_t(kSide) * kSide * 3;
        std::vector<std::uint8_t> b(54 + data);
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 2, static_cast<std::uint32_t>(b.size()));
        Put32(b, 10, 54);
        Put32(b, 14, 40);
        Put32(b, 18, kSide);
        Put32(b, 22, kSide);
        b[26] = 1;
        b[28] = 24;
        for (std::size_t y = 0; y < kSide; ++y)
            for (std::size_t x = 0; x < kSide; ++x) {
                std::uint8_t* px = &b[54 + (y * kSide + x) * 3];
                px[0] = static_cast<std::uint8_t>(x);
                px[1] = static_cast<std::uint8_t>(y);
                px[2] = static_cast<std::uint8_t>((x ^ y) >> 4);
            }
        std::FILE* f = std::fopen(p.c_str(), "wb");
        if (f) {
            std::fwrite(b.data(), 1, b.size(), f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}

EglContext& Context()
{
    static EglContext gl;
    if (!gl.IsCreated())
        gl.Create(64, 64);
    return gl;
}

void BM_LoadMapTexture(benchmark::State& state)
{
    const std::string& path = MapFile();
    if (!Context().IsCreated()) {
        state.SkipWithError("no headless GL context");
        return;
    }
    CourseData course;
    for (auto _ : state) {
        if (!course.LoadMapTexture(path)) {
            state.SkipWithError("map not loaded");
            return;
        }
        glFinish();
    }
    // Make sure the measured work was the real thing: the full-size image and its whole chain.
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
    const std::string& path = MapFile();
    for (auto _ : state) {
        MapImageInfo info;
        auto pixels = ReadBmp(path, info);
        benchmark::DoNotOptimize(pixels.get());
    }
}
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
