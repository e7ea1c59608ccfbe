// links: rbx_tools
// Find and every list window over a full board (10 groups x 18 pages x 48 buttons, every button
// with a caption, note, hot key, custom cue and file): collecting, sorting and filling the grid,
// as the operator waits for it. Target: each under 100 ms.
#include "OffscreenMain.h"
#include "board/MainForm.h"
#include "support/MainFormParts.h"
#include "tools/BoardSearch.h"
#include "tools/ListPrinter.h"
#include "tools/TButtonList.h"
#include "tools/TFormDuplicateList.h"
#include "tools/TFormHotKey.h"
#include "tools/TformFind.h"
#include "tools/TfrmCustomCuedButtons.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QtPrintSupport/QPrinter>

#include <memory>

namespace {

struct Rig : MainFormParts
{
    Rig()
    {
        folder = dir.path() + QStringLiteral("/");
        BuildContext({});
        form = std::make_unique<TForm1>(*context);
        FillFullBoard();
    }

    ~Rig()
    {
        form.reset();
        BASS_Free();
    }

    void FillFullBoard()
    {
        for (int g = 1; g <= GroupCount; ++g) {
            for (int p = 1; p <= PageButtonCount; ++p) {
                board.PageName[g][p] = QStringLiteral("Page %1-%2").arg(g).arg(p);
                for (int b = 1; b <= ButtonCount; ++b) {
                    // Captions repeat across groups, so sorts meet ties; files repeat every
                    // other page, so the duplicate check finds groups.
                    board.ButtonCaption[g][p][b] =
                        QStringLiteral("Sound %1 %2").arg((b * 37 + p) % 97).arg(b);
                    board.ButtonNote[g][p][b] = QStringLiteral("Note for %1").arg(b);
                    board.ButtonFile[g][p][b] =
                        folder + QStringLiteral("g%1/p%2/b%3.mp3").arg(g).arg(p / 2).arg(b);
                    board.ButtonHotKey[g][p][b] = QStringLiteral("%1F%2").arg(b % 4).arg(1 + b % 12);
                    board.ButtonCustomCue[g][p][b] = QStringLiteral("Y");
                }
            }
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
};

Rig& TheRig()
{
    static Rig rig;
    return rig;
}

void BM_FindEveryButton(benchmark::State& state)
{
    Rig& rig = TheRig();
    auto* results = new TformFind(rig.form.get());
    for (auto _ : state) {
        const auto matches = FindMatches(rig.board, QStringLiteral("sound"), FindButtonsAndNotes, false);
        results->Fill(matches, QStringLiteral("sound"), FindButtonsAndNotes);
        benchmark::DoNotOptimize(matches.size());
    }
}
BENCHMARK(BM_FindEveryButton)->Unit(benchmark::kMillisecond);

void BM_HotKeyListInHotKeyOrder(benchmark::State& state)
{
    auto* window = new TFormHotKey(TheRig().form.get());
    for (auto _ : state) {
        window->Prepare();
        window->HotKeySeqButtonClick();
    }
}
BENCHMARK(BM_HotKeyListInHotKeyOrder)->Unit(benchmark::kMillisecond);

void BM_SoundButtonListAlphabetical(benchmark::State& state)
{
    Rig& rig = TheRig();
    rig.form->ButtonListInvalidMode = false;
    auto* window = new TButtonList(rig.form.get());
    for (auto _ : state) {
        window->Prepare();
        window->SoundSeqButtonClick();
    }
}
BENCHMARK(BM_SoundButtonListAlphabetical)->Unit(benchmark::kMillisecond);

void BM_MissingFileScan(benchmark::State& state)
{
    Rig& rig = TheRig();
    rig.form->ButtonListInvalidMode = true;
    auto* window = new TButtonList(rig.form.get());
    for (auto _ : state) {
        window->Prepare(); // every file is missing: 8,640 existence checks and rows
    }
    rig.form->ButtonListInvalidMode = false;
}
BENCHMARK(BM_MissingFileScan)->Unit(benchmark::kMillisecond);

void BM_CustomCuedListAlphabetical(benchmark::State& state)
{
    auto* window = new TfrmCustomCuedButtons(TheRig().form.get());
    for (auto _ : state) {
        window->Prepare();
        window->SoundSeqButtonClick();
    }
}
BENCHMARK(BM_CustomCuedListAlphabetical)->Unit(benchmark::kMillisecond);

void BM_DuplicateCheck(benchmark::State& state)
{
    auto* window = new TFormDuplicateList(TheRig().form.get());
    for (auto _ : state) {
        window->Prepare();
    }
}
BENCHMARK(BM_DuplicateCheck)->Unit(benchmark::kMillisecond);

void BM_PrintFullSoundButtonListToPdf(benchmark::State& state)
{
    Rig& rig = TheRig();
    const std::vector<ListRow> rows = CollectSoundButtonRows(rig.board);
    std::vector<QStringList> cells;
    for (const ListRow& r : rows) {
        cells.push_back({QString(), r.hotKey, r.groupLetter, r.pageName, r.caption, r.filePath});
    }
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(rig.folder + QStringLiteral("bench.pdf"));
        pages = PrintList(printer, QStringLiteral("Sound Button List"), cells, SoundButtonPrintLayout(false),
                          QDate(2024, 3, 9));
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintFullSoundButtonListToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
