// Open and Save of courses with n handles and n objects, and the file's bytes built alone.
#include "bench/BenchCourse.h"
#include "file/CourseFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

enum What { Save, Format, Open };

template <What what>
void BM_CourseFile(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::string path = "/tmp/tw_bench_coursefile_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".crs";
    CTrackwrightDoc doc;
    FillCourse(doc, n, n, 90.0, "objects/tree_pine.x");
    // Tangents of a drawn course's length (the ring's own are under a unit): longer numbers.
    for (int i = 0; i < n; ++i) {
        CourseHandle& h = doc.m_course.m_handles[i];
        h.vTanNext *= 17.0 / h.vTanNext.Length();
        h.vTanPrev = -h.vTanNext;
    }
    doc.m_heightMap = "/maps/height.bmp";
    doc.m_colorMap = "/maps/colour.bmp";
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
