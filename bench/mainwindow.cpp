// links: rbx_board
// Building the main window on a full board (every group, page and button filled) inside a running
// program, up to its first painted frame, against a bare Qt main window of the same size built
// the same way, in alternating rounds; and the repaint of a page switch. Offscreen and in-process:
// the program's start, its libraries and the window manager are not in these figures (the whole
// process from its start under a window manager is bench/startup.sh's).
#include "OffscreenMain.h"
#include "SideBySide.h"
#include "board/MainForm.h"
#include "support/MainFormParts.h"

#include <QApplication>
#include <QMainWindow>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
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

// Shows, paints and lets the events settle: the window's first painted frame.
template <typename Window>
double MsToFirstPaint(const std::function<std::unique_ptr<Window>()>& build)
{
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<Window> window = build();
    window->show();
    window->repaint();
    QCoreApplication::processEvents();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    window.reset();
    return ms;
}

void BM_MainWindowBuildToFirstPaint(benchmark::State& state)
{
    Rig rig;
    QSize size;
    {
        TForm1 probe(*rig.context);
        size = probe.size();
    }
    BASS_Free();
    side_by_side::Rounds r;
    for (auto _ : state) {
        r = side_by_side::Alternate(
            10,
            [&] {
                const double ms = MsToFirstPaint<TForm1>([&] { return std::make_unique<TForm1>(*rig.context); });
                BASS_Free();
                return ms;
            },
            [&] {
                return MsToFirstPaint<QMainWindow>([&] {
                    auto bare = std::make_unique<QMainWindow>();
                    bare->setCentralWidget(new QWidget);
                    bare->resize(size);
                    return bare;
                });
            });
    }
    side_by_side::Report(state, r, "ms, in a running program, offscreen",
                         "a bare Qt main window of the same size");
}
BENCHMARK(BM_MainWindowBuildToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(1);

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
    return RunOffscreenBenchmarks(argc, argv);
}
