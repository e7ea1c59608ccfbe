// links: rbx_board
// Start-up of the main window on a full board (every group, page and button filled) up to its first
// painted frame, and the repaint of a page switch.
#include "board/MainForm.h"
#include "support/MainFormParts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Everything a main window needs, on a temporary program folder holding a full set file.
struct Rig : MainFormParts
{
    Rig()
    {
        folder = dir.path() + QStringLiteral("/");
        setPath = folder + QStringLiteral("Full.set");
        BuildFiles();
        WriteFullBoard();
        BuildContext({setPath});
    }

    void WriteFullBoard()
    {
        for (int g = 1; g <= GroupCount; ++g) {
            for (int p = 1; p <= PageButtonCount; ++p) {
                board.PageName[g][p] = QStringLiteral("Page %1-%2").arg(g).arg(p);
                board.PagePlay[g][p] = QStringLiteral("T");
                for (int b = 1; b <= ButtonCount; ++b) {
                    TSoundButtonCell cell;
                    cell.ButtonCaption = QStringLiteral("Sound %1 %2\r\nline two").arg(p).arg(b);
                    cell.ButtonFile = QStringLiteral("/music/g%1/p%2/b%3.mp3").arg(g).arg(p).arg(b);
                    cell.ButtonState = 1 + b % 9;
                    cell.ButtonTime = QStringLiteral("03:%1").arg(b + 10);
                    cell.ButtonHotKey = QStringLiteral("2F%1").arg(1 + b % 12);
                    cell.ButtonHotKeyInfo = QStringLiteral("info");
                    cell.ButtonNote = QStringLiteral("Note for %1").arg(b);
                    cell.ButtonVolume = QStringLiteral("80");
                    cell.ButtonLoop = QStringLiteral("L");
                    cell.ButtonCustomCue = QStringLiteral("Y");
                    cell.ButtonCueStart = 1000;
                    cell.ButtonCueEnd = 900000;
                    cell.ButtonCustomColor = 0x00336699;
                    board.SetCell(g, p, b, cell);
                }
            }
        }
        board.SetFileName = setPath;
        setFile->SaveSetFile();
    }

    QTemporaryDir dir;
    QString setPath;
};

void BM_StartUpToFirstPaintedWindow(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        auto form = std::make_unique<TForm1>(*rig.context);
        form->show();
        form->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        BASS_Free();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaintedWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PageSwitchRepaint(benchmark::State& state)
{
    Rig rig;
    TForm1 form(*rig.context);
    form.show();
    QCoreApplication::processEvents();
    int page = 1;
    for (auto _ : state) {
        page = page % PageButtonCount + 1;
        form.ProcessPageButton(page);
        form.centralWidget()->repaint();
    }
    BASS_Free();
}
BENCHMARK(BM_PageSwitchRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
