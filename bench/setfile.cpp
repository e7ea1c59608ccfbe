// links: rbx_board
#include "board/SetFile.h"
#include "board/Board.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Color.h"
#include "platform/ScriptedDialogs.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace {

// A full board: 10 groups x 18 pages x 48 buttons with every field filled, and the cue page.
void FillFullBoard(Board& board)
{
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            const QString at = QString("%1-%2").arg(g).arg(p);
            board.PageName[g][p] = "Page " + at;
            board.PagePlay[g][p] = "T";
            board.RapidFire[g][p] = "F";
            board.PageShuffle[g][p] = "T";
            board.PageColor[g][p] = RgbToColor(g * 20, p * 10, 7);
            for (int b = 1; b <= ButtonCount; ++b) {
                const QString id = at + "-" + QString::number(b);
                TSoundButtonCell c;
                c.ButtonCaption = "Caption " + id + "\r\nsecond line";
                c.ButtonFile = "/home/operator/Sounds/Game day/" + id + ".mp3";
                c.ButtonState = bstPlayed;
                c.ButtonTime = "03:25";
                c.ButtonHotKey = "2F" + QString::number(1 + b % 12);
                c.ButtonHotKeyInfo = "Ctrl + F" + QString::number(1 + b % 12);
                c.ButtonNote = "Note for " + id;
                c.ButtonVolume = "80";
                c.ButtonLoop = "L";
                c.ButtonCustomCue = "Y";
                c.ButtonCueStart = 44100 * b;
                c.ButtonCueEnd = 441000 * b;
                c.ButtonCustomColor = RgbToColor(b, g, p);
                board.SetCell(g, p, b, c);
            }
        }
    }
}

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

} // namespace

BENCHMARK_MAIN();
