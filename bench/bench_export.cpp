// The glTF export as the command runs it (open the course, read its maps, build the meshes,
// encode, write through the safe replace): the sample course with its height map, and 10,000
// control points with 10,000 objects over a 4096 x 4096 height map and colour map. The reference
// in the same run is the safe replace alone writing as many bytes, the floor any export pays.
#include "app/ExportCommand.h"
#include "bench/BenchCourse.h"
#include "file/FileReplace.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path BenchDir()
{
    const fs::path dir = fs::temp_directory_path() / "tw_bench_export";
    fs::create_directories(dir);
    return dir;
}

// The large course and its maps, written once per process.
const std::string& LargeCourse()
{
    static const std::string path = [] {
        CTrackwrightDoc doc;
        FillLargeCourse(doc, BenchDir().string());
        const std::string course = (BenchDir() / "large.crs").string();
        doc.OnSaveDocument(course);
        return course;
    }();
    return path;
}

// Every benchmark reports the same counters (the bench script's table needs one header): the
// file's size and the process's peak resident memory so far.
void Report(benchmark::State& state, const std::string& out)
{
    std::error_code ec;
    state.counters["file_MB"] = double(fs::file_size(out, ec)) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void Export(benchmark::State& state, const std::string& course, const std::string& name)
{
    const std::string out = (BenchDir() / name).string();
    for (auto _ : state) {
        if (RunExportCommand({"trackwright", "--export", course, "--out", out}) != 0)
            return state.SkipWithError("export failed");
    }
    Report(state, out);
}

void BM_ExportSample(benchmark::State& state)
{
    Export(state, std::string(TW_SOURCE_DIR) + "/samples/hills.crs", "sample.glb");
}
BENCHMARK(BM_ExportSample)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportLarge(benchmark::State& state)
{
    Export(state, LargeCourse(), "large.glb");
}
BENCHMARK(BM_ExportLarge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The safe replace of a file as large as the large export, on its own.
void BM_WriteLikeLarge(benchmark::State& state)
{
    const std::string out = (BenchDir() / "large.glb").string();
    std::error_code ec;
    const std::string bytes(fs::file_size(out, ec), '\x5a');
    const std::string copy = (BenchDir() / "write.bin").string();
    for (auto _ : state) {
        if (bytes.empty() || !ReplaceFileContents(copy, bytes))
            return state.SkipWithError("run BM_ExportLarge first");
    }
    Report(state, copy);
}
BENCHMARK(BM_WriteLikeLarge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
