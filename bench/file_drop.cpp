// links: rbx_editing
// A sound file dropped on the main window, from the drop to the window being free again: a FLAC
// written through a pipe (its container states no length, as streaming recorders write it)
// against the same sound written to a file (its length stated), in alternating rounds. Each round
// drops a fresh copy, so no scan of an earlier round helps. Twenty minutes of a tone, made with
// the ffmpeg command-line tool at start; three hours with RBX_BENCH_HOUR=1. Offscreen, in-process.
#include "OffscreenMain.h"
#include "SideBySide.h"
#include "board/MainForm.h"
#include "board/SoundLengthFollower.h"
#include "editing/ShellFileDrop.h"
#include "support/MainFormParts.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct Rig : MainFormParts
{
    Rig()
    {
        folder = dir.path() + QStringLiteral("/");
        BuildContext({});
        form = std::make_unique<TForm1>(*context);
        new ShellFileDrop(*form);
        form->show();
        QCoreApplication::processEvents();
    }

    ~Rig()
    {
        form.reset();
        BASS_Free();
    }

    // Makes the tone as a FLAC, through a pipe or to the file itself; false when ffmpeg failed.
    bool MakeFlac(const std::string& path, bool piped, int seconds)
    {
        const std::string signal = "sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds);
        const std::string to = piped ? "-f flac pipe:1 > '" + path + "'" : "'" + path + "'";
        const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i " + signal + " -ac 2 -c:a flac " + to;
        return std::system(make.c_str()) == 0;
    }

    // Drops a fresh copy of the file on the window; the milliseconds until the window is free.
    double MsToDrop(const std::string& original, int round)
    {
        const std::string copy = original + "-" + std::to_string(round) + ".flac";
        std::filesystem::copy_file(original, copy, std::filesystem::copy_options::overwrite_existing);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(copy))});
        const QPointF at(200, 200);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        const auto start = std::chrono::steady_clock::now();
        QCoreApplication::sendEvent(form.get(), &drop);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        // The count of a file without a length goes on after the drop: it ends before the next
        // round, so that no round pays for another's.
        QElapsedTimer waited;
        waited.start();
        while (form->ButtonLengths().Pending() > 0 && waited.elapsed() < 600000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            form->ButtonLengths().Poll();
        }
        std::filesystem::remove(copy);
        return ms;
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
};

void BM_DropOfAFlacThatStatesNoLength(benchmark::State& state)
{
    const char* hour = std::getenv("RBX_BENCH_HOUR");
    const int seconds = hour != nullptr && std::string(hour) == "1" ? 3 * 3600 : 20 * 60;
    Rig rig;
    const std::string piped = rig.dir.path().toStdString() + "/piped.flac";
    const std::string stated = rig.dir.path().toStdString() + "/stated.flac";
    if (!rig.MakeFlac(piped, true, seconds) || !rig.MakeFlac(stated, false, seconds)) {
        state.SkipWithError("ffmpeg could not make the files");
        return;
    }
    side_by_side::Rounds r;
    int round = 0;
    for (auto _ : state) {
        r = side_by_side::Alternate(
            4, [&] { return rig.MsToDrop(piped, ++round); }, [&] { return rig.MsToDrop(stated, ++round); });
    }
    side_by_side::Report(state, r, "ms from the drop to the window free, " + std::to_string(seconds / 60) + " min",
                         "the same sound with its length stated");
}
BENCHMARK(BM_DropOfAFlacThatStatesNoLength)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
