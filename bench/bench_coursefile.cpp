// Open and Save of courses with n handles and n objects, and the file's bytes built alone.
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void Fill(CTrackwrightDoc& doc, int n)
{
    doc.OnNewDocument();
    doc.m_course.m_handles.SetSize(0);
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n, c = std::cos(a), s = std::sin(a);
        CourseHandle h;
        h.vPos = Vector3(100.0 * c, 100.0 * s, 0.0);
        h.vTanNext = Vector3(-17.0 * s, 17.0 * c, 0.0);
        h.vTanPrev = Vector3(17.0 * s, -17.0 * c, 0.0);
        h.WidthRight = 5.0f + static_cast<float>(i % 7);
        h.WidthLeft = 5.5f;
        doc.m_course.m_handles.Add(h);
        doc.m_xobjects.Add(XObject("objects/tree" + std::to_string(i % 13) + ".x", Vector3(90.0 * c, 90.0 * s, 0.0),
                                   static_cast<float>(a), 2.5f, 4.0f));
    }
    doc.m_heightMap = "/maps/height.bmp";
    doc.m_colorMap = "/maps/colour.bmp";
}

enum What { Save, Format, Open };

template <What what>
void BM_CourseFile(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::string path = "/tmp/tw_bench_coursefile_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".crs";
    CTrackwrightDoc doc;
    Fill(doc, n);
    if (what == Open)
        doc.OnSaveDocument(path);
    for (auto _ : state) {
        if (what == Format)
            benchmark::DoNotOptimize(CourseFileText(doc.StoredFields()));
        else if (what == Save ? !doc.OnSaveDocument(path) : !doc.OnOpenDocument(path) || doc.m_xobjects.GetSize() != n)
            state.SkipWithError("save or open failed");
    }
    std::remove(path.c_str());
    state.SetComplexityN(n);
}

void BM_Save(benchmark::State& state) { BM_CourseFile<Save>(state); }
void BM_Format(benchmark::State& state) { BM_CourseFile<Format>(state); }
void BM_Open(benchmark::State& state) { BM_CourseFile<Open>(state); }

}  // namespace

BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Format)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Open)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
