// links: rbx_controls
// A page of sound-button captions of 10,000 characters each (a set file may hold them): the paint
// of the page when its captions are new (a page loaded or edited) and the repaint on a return to
// it, against a page of plain Qt labels holding the same texts, in alternating rounds. Offscreen.
#include "OffscreenMain.h"
#include "SideBySide.h"
#include "controls/ClickLabel.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

constexpr int Columns = 8;
constexpr int Rows = 6;
constexpr int CaptionLength = 10000;

QString LongCaption(int slot, int variant)
{
    QString text;
    while (text.size() < CaptionLength) {
        text += QStringLiteral("Sound %1 take %2 ").arg(slot).arg(variant);
    }
    text.truncate(CaptionLength);
    return text;
}

// 48 caption memos laid out as the board's slots, of the kind given.
template <typename Label>
struct Page
{
    Page()
    {
        host.resize(Columns * 80, Rows * 64);
        for (int n = 0; n < Columns * Rows; ++n) {
            auto* label = new Label(&host);
            label->setGeometry(3 + (n % Columns) * 80, 2 + (n / Columns) * 64, 72, 33);
            label->setAlignment(Qt::AlignCenter);
            label->setWordWrap(true);
            labels.push_back(label);
        }
        host.show();
    }

    void SetCaptions(int variant)
    {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            labels[i]->setText(LongCaption(static_cast<int>(i) + 1, variant));
        }
    }

    // Grabbed: the page is painted whole into a picture, as the window would be on the screen.
    double MsToRepaint()
    {
        const auto start = std::chrono::steady_clock::now();
        host.grab();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    QWidget host;
    std::vector<Label*> labels;
};

void BM_LongCaptionPageNewCaptions(benchmark::State& state)
{
    Page<TClickLabel> ours;
    Page<QLabel> peer;
    int variant = 0;
    side_by_side::Rounds r;
    for (auto _ : state) {
        r = side_by_side::Alternate(
            6,
            [&] {
                ours.SetCaptions(++variant);
                return ours.MsToRepaint();
            },
            [&] {
                peer.SetCaptions(++variant);
                return peer.MsToRepaint();
            });
    }
    side_by_side::Report(state, r, "ms for 48 captions of 10,000 characters, offscreen",
                         "the same page of plain Qt labels");
}
BENCHMARK(BM_LongCaptionPageNewCaptions)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LongCaptionPageReturn(benchmark::State& state)
{
    Page<TClickLabel> ours;
    Page<QLabel> peer;
    ours.SetCaptions(1);
    peer.SetCaptions(1);
    ours.MsToRepaint();
    peer.MsToRepaint();
    side_by_side::Rounds r;
    for (auto _ : state) {
        r = side_by_side::Alternate(
            6, [&] { return ours.MsToRepaint(); }, [&] { return peer.MsToRepaint(); });
    }
    side_by_side::Report(state, r, "ms for 48 captions of 10,000 characters, offscreen",
                         "the same page of plain Qt labels");
}
BENCHMARK(BM_LongCaptionPageReturn)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
