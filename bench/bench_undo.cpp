// The undo history on 10,000 handles and 10,000 objects: recording, undo and redo of a step, the
// memory 200 single-point drags keep; and writing the recovery copy of that course.
#include "bench/BenchCourse.h"
#include "document/CourseHistory.h"
#include "document/RecoveryFile.h"
#include "file/CourseFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kCount = 10000;

// One press-move-release of control point i, as the drag handlers wrap it.
void DragPoint(CTrackwrightDoc& doc, int i)
{
    BeginStep(doc);
    doc.m_course.m_handles[i].vPos += Vector3(0.5, 0.25, 0.0);
    EndStep(doc, 1);
}

// Recording a drag: the state noted at the press and the comparison at the release.
void BM_RecordDrag(benchmark::State& state)
{
    CTrackwrightDoc doc;
    FillCourse(doc, kCount, kCount, 90.0, "objects/tree_pine.x");
    int i = 0;
    for (auto _ : state)
        DragPoint(doc, (i++ * 37) % kCount);
}
BENCHMARK(BM_RecordDrag)->Unit(benchmark::kMillisecond);

// Memory the history holds after 200 drags of single points: as it counts itself, and as
// the heap grew (counters, in bytes).
void BM_HistoryMemory(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CTrackwrightDoc doc;
        FillCourse(doc, kCount, kCount, 90.0, "objects/tree_pine.x");
        const std::size_t before = ::mallinfo2().uordblks;
        state.ResumeTiming();
        for (int k = 0; k < 200; ++k)
            DragPoint(doc, (k * 97) % kCount);
        state.counters["history_bytes"] = static_cast<double>(doc.m_history.MemoryBytes());
        state.counters["heap_growth"] = static_cast<double>(::mallinfo2().uordblks - before);
    }
}
BENCHMARK(BM_HistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undo then redo of one step: a point drag (range 0), a deletion of the first control
// point and object (range 1, the whole tail of both lists moves).
void BM_UndoRedo(benchmark::State& state)
{
    CTrackwrightDoc doc;
    FillCourse(doc, kCount, kCount, 90.0, "objects/tree_pine.x");
    BeginStep(doc);
    if (state.range(0) == 0) {
        doc.m_course.m_handles[kCount / 2].vPos += Vector3(0.5, 0.25, 0.0);
    } else {
        doc.m_course.m_handles.RemoveAt(0);
        doc.m_xobjects.RemoveAt(0);
    }
    EndStep(doc, 1);
    for (auto _ : state) {
        UndoLastStep(doc);
        RedoNextStep(doc);
    }
}
BENCHMARK(BM_UndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The recovery copy of the same course: the file text and the safe write, as the idle pass does it.
void BM_RecoveryWrite(benchmark::State& state)
{
    CTrackwrightDoc doc;
    FillCourse(doc, kCount, kCount, 90.0, "objects/tree_pine.x");
    const std::string folder = "/tmp/tw_bench_recovery_" + std::to_string(::getpid());
    RecoveryFile recovery(folder);
    for (auto _ : state) {
        if (!recovery.Write("/courses/bench.crs", CourseFileText(doc.StoredFields())))
            state.SkipWithError("write failed");
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

}  // namespace
