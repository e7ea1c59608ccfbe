// The equalizer's coloured ticks: each tick is a small filled rectangle whose colour says whether
// the bar's value has reached it.
#include "controls/PixelPaint.h"
#include "controls/SlideBar.h"
#include "playback/TFormEqualizer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TColor BandTickColor(int tick, int value)
{
    const bool reached = value >= tick;
    if (tick < 15) {
        return reached ? 0x000080 : 0x0000FF;
    }
    if (tick == 15) {
        return reached ? 0x000080 : 0x008000;
    }
    return reached ? 0x00FF00 : 0x008000;
}

TColor ReverbTickColor(int tick, int value)
{
    return value >= tick ? 0xFFFF00 : 0xFF0000;
}

int BandTickHalf(int barHeight, int max, int stepPerTick)
{
    const int ticks = stepPerTick > 0 ? max / stepPerTick : 0;
    if (ticks <= 0) {
        return 0;
    }
    return barHeight / ticks / 2;
}

namespace {

// Ticks packed closer than 2 pixels would merge into one block; only every n-th is drawn.
bool TickShown(const TzSlideBar* bar, int tickNumber, int lengthPx)
{
    const long long ticks =
        (static_cast<long long>(bar->Max()) - bar->Min()) / std::max(1, bar->StepPerTick());
    if (ticks <= 0) {
        return true;
    }
    const double spacing = static_cast<double>(lengthPx) / static_cast<double>(ticks);
    if (spacing >= 2.0) {
        return true;
    }
    const int every = static_cast<int>(std::ceil(2.0 / std::max(spacing, 1e-9)));
    return tickNumber % every == 0;
}

int TickValue(const TzSlideBar* bar, int tickNumber)
{
    return bar->Min() + tickNumber * bar->StepPerTick();
}

} // namespace

void TFormEqualizer::DrawVerticalTick(const TzSlideBar* bar, TColor color, QPainter& canvas, int x, int y,
                                      bool leftSide)
{
    const int h = BandTickHalf(bar->height(), bar->Max(), bar->StepPerTick());
    PixelPaint paint(canvas);
    paint.BrushColor = ToQColor(color);
    const int top = y - h + 2;
    const int bottom = std::max(y + h, top + 1);
    if (leftSide) {
        paint.FillRect(x - 8, top, x, bottom);
    } else {
        paint.FillRect(x + 1, top, x + 9, bottom);
    }
}

void TFormEqualizer::DrawBandTick(int band, QPainter& canvas, int x, int y, bool leftSide, int tickNumber)
{
    const TzSlideBar* bar = BandBars[band];
    if (TickShown(bar, tickNumber, bar->height())) {
        DrawVerticalTick(bar, BandTickColor(TickValue(bar, tickNumber), bar->Value()), canvas, x, y,
                         leftSide);
    }
}

void TFormEqualizer::DrawReverbTick(QPainter& canvas, int x, int y, bool leftSide, int tickNumber)
{
    const TzSlideBar* bar = zSlideBar11;
    if (TickShown(bar, tickNumber, bar->height())) {
        DrawVerticalTick(bar, ReverbTickColor(TickValue(bar, tickNumber), bar->Value()), canvas, x, y,
                         leftSide);
    }
}

void TFormEqualizer::DrawHorizontalTick(TzSlideBar* bar, TColor color, QPainter& canvas, int x, int y,
                                        bool leftSide, int tickNumber)
{
    if (!TickShown(bar, tickNumber, bar->width())) {
        return;
    }
    // The volume bar's rule: h from the width over Max div StepPerTick, the tick X - h + 1 to X + h - 2.
    // Where that gives less than 3 pixels (thousands of hertz on the rate bar) the tick keeps 3; a range
    // of a tick or two (no sound played yet) would otherwise paint one block over the bar.
    const int ruleHalf = BandTickHalf(bar->width(), bar->Max(), bar->StepPerTick());
    const int h = ruleHalf < 3 ? 3 : std::min(ruleHalf, 4);
    const int d = leftSide ? -1 : bar->TickSpace() + 1;
    PixelPaint paint(canvas);
    paint.BrushColor = ToQColor(color);
    paint.FillRect(x - h + 1, y - d, x + h - 2, y + bar->TickSize() - d);
}
