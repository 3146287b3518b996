// The overlay's font from the shipped fontGray.tga: read and decode, and with the upload.
#include "framework/egl/EglContext.h"
#include "overlay/TextOverlay.h"
#include "overlay/TgaImage.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kFont = std::string(TW_SOURCE_DIR) + "/res/fontGray.tga";

void BM_TextOverlayCreate(benchmark::State& state)
{
    EglContext gl;
    if (!gl.Create(640, 480))
        return state.SkipWithError("no headless OpenGL context");
    for (auto _ : state) {
        TextOverlay overlay;
        if (overlay.Create(kFont.c_str()) != TGA_OK)
            return state.SkipWithError("fontGray.tga did not load");
        glFinish();
        state.PauseTiming();
        glDeleteTextures(1, &overlay.TextureName);   // the program makes one; here they would pile up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TextOverlayCreate)->Unit(benchmark::kMillisecond);

void BM_TgaLoad(benchmark::State& state)
{
    for (auto _ : state) {
        TgaImage image;
        benchmark::DoNotOptimize(image.Load(kFont.c_str()));
        image.ReleasePixels();
    }
}
BENCHMARK(BM_TgaLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
