#include "controls/zPanelScale.h"

int zPanelPercent(int value, int min, int max)
{
    const long long range = static_cast<long long>(max) - min;
    // An empty range has no scale to place the needle on; it rests at the start.
    if (range <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<long long>(value) - min) * 100 / range);
}

namespace {

long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

} // namespace

std::vector<zPanelScaleMark> zPanelScaleMarks(const zPanelScaleInput& in)
{
    std::vector<zPanelScaleMark> marks;
    if (in.Max < in.Min) {
        return marks;
    }
    const long long range = static_cast<long long>(in.Max) - in.Min;
    const auto alerting = [&in](long long v) { return in.UseAlert && v >= in.Alert; };
    // The first offset k from Min whose percentage floor(100 k / range) reaches p.
    const auto firstOffset = [range](long long p) { return range == 0 ? 0 : (p * range + 99) / 100; };
    const int lastPercent = range == 0 ? 0 : 100;
    for (int p = 0; p <= lastPercent; ++p) {
        const long long kLo = firstOffset(p);
        const long long kHi = p == lastPercent ? range : firstOffset(p + 1) - 1;
        if (kLo > kHi) {
            continue;
        }
        const long long lo = in.Min + kLo;
        const long long hi = in.Min + kHi;
        zPanelScaleMark mark;
        mark.Percent = p;
        mark.StrokeAlert = alerting(hi);
        if (in.Ticks && in.StepPerTick > 0) {
            const long long lastMultiple = FloorDiv(hi, in.StepPerTick) * in.StepPerTick;
            if (lastMultiple >= lo) {
                mark.HasTick = true;
                mark.TickAlert = alerting(lastMultiple);
            }
        }
        marks.push_back(mark);
    }
    return marks;
}
