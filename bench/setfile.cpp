// links: rbx_board
#include "board/SetFile.h"
#include "board/SetFilePrefetch.h"
#include "FullBoard.h"
#include "board/Board.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Color.h"
#include "platform/IniFile.h"
#include "platform/ScriptedDialogs.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace {

struct BenchWorld
{
    BenchWorld()
    {
        tracer = std::make_unique<Tracer>(folder.path(), settings, clock, dialogs);
        setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder.path());
        board.SetFileName = QDir(folder.path()).filePath("full.set");
        FillFullBoard(board);
    }
    QTemporaryDir folder;
    Settings settings; // trace off, as in a show
    ManualClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<Tracer> tracer;
    Board board;
    std::unique_ptr<SetFile> setFile;
};

void BM_SaveFullBoard(benchmark::State& state)
{
    BenchWorld world;
    for (auto _ : state) {
        if (!world.setFile->SaveSetFile()) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveFullBoard)->Unit(benchmark::kMillisecond);

void BM_LoadFullBoard(benchmark::State& state)
{
    BenchWorld world;
    if (!world.setFile->SaveSetFile()) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        if (!world.setFile->LoadSetFile()) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(world.board.ButtonCaption[10][18][48]);
    }
}
BENCHMARK(BM_LoadFullBoard)->Unit(benchmark::kMillisecond);

// The set file named at start read ahead as the program does it: read, parsed and its pages read
// on the prefetch threads, until the create step could take them.
void BM_ReadAheadFullBoard(benchmark::State& state)
{
    BenchWorld world;
    if (!world.setFile->SaveSetFile()) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        SetFilePrefetch::Start(world.board.SetFileName);
        SetFilePrefetch::ReadOutcome outcome = SetFilePrefetch::ReadOutcome::Missing;
        SetFilePrefetch::ReadAhead ahead;
        auto ini = SetFilePrefetch::Take(world.board.SetFileName, outcome, &ahead);
        if (!ini || !ahead.pages) {
            state.SkipWithError("not read ahead");
            break;
        }
        benchmark::DoNotOptimize(ahead.pages->ButtonCaption[10][18][48]);
    }
}
BENCHMARK(BM_ReadAheadFullBoard)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
