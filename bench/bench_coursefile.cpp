// Open and Save of courses with n handles and n objects.
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
        const double a = 6.283185307179586 * i / n;
        CourseHandle h;
        h.vPos = Vector3(100.0 * std::cos(a), 100.0 * std::sin(a), 0.0);
        h.vTanNext = Vector3(-17.0 * std::sin(a), 17.0 * std::cos(a), 0.0);
        h.vTanPrev = Vector3(17.0 * std::sin(a), -17.0 * std::cos(a), 0.0);
        h.WidthRight = 5.0f + static_cast<float>(i % 7);
        h.WidthLeft = 5.5f;
        doc.m_course.m_handles.Add(h);
        doc.m_xobjects.Add(XObject("objects/tree" + std::to_string(i % 13) + ".x",
                                   Vector3(90.0 * std::cos(a), 90.0 * std::sin(a), 0.0),
                                   static_cast<float>(a), 2.5f, 4.0f));
    }
    doc.m_heightMap = "/maps/height.bmp";
    doc.m_colorMap = "/maps/colour.bmp";
}

std::string BenchPath(int n)
{
    return "/tmp/tw_bench_coursefile_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".crs";
}

void BM_Save(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CTrackwrightDoc doc;
    Fill(doc, n);
    const std::string path = BenchPath(n);
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
    state.SetComplexityN(n);
}

// The same without the disk: building the file's bytes.
void BM_Format(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CTrackwrightDoc doc;
    Fill(doc, n);
    for (auto _ : state)
        benchmark::DoNotOptimize(CourseFileText(doc.StoredFields()));
    state.SetComplexityN(n);
}

void BM_Open(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::string path = BenchPath(n);
    {
        CTrackwrightDoc source;
        Fill(source, n);
        source.OnSaveDocument(path);
    }
    CTrackwrightDoc doc;
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path) || doc.m_xobjects.GetSize() != n)
            state.SkipWithError("open failed");
    }
    std::remove(path.c_str());
    state.SetComplexityN(n);
}

}  // namespace

BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Format)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Open)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
