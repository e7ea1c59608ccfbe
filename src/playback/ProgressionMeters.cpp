#include "playback/ProgressionMeters.h"

#include "platform/Rounding.h"

int ProgressionMeters::ScaledLevel(std::uint32_t levelWord, MeterSide side, int soundVolume, int masterSlider)
{
    const int level = static_cast<int>(side == MeterSide::Left ? levelWord & 0xFFFFu : levelWord >> 16);
    const int bySound = RoundHalfEven(level * soundVolume / 100.0);
    const int byMaster = RoundHalfEven(bySound * masterSlider / 100.0);
    // Whole steps of 256: 32768 full scale reads 128, the meters' top.
    return byMaster <= 256 ? 0 : byMaster / 256;
}

int ProgressionMeters::Follow(int needle, int level)
{
    if (needle < level) {
        return level;
    }
    // The steps run in turn on the remaining gap: a needle 12 above drops 2 and then 1 more.
    if (needle - level > 10) {
        needle -= 2;
    }
    const int gap = needle - level;
    if (gap >= 3 && gap <= 10) {
        needle -= 1;
    }
    if (needle - level < 3) {
        needle = level;
    }
    return needle;
}

int ProgressionMeters::Fall(int needle)
{
    if (needle <= 0) {
        return needle;
    }
    return needle <= 5 ? 0 : needle - 5;
}

void ProgressionMeters::Show(MeterSide side, int needle)
{
    window_.SetNeedleValue(side, needle);
    window_.SetBarValue(side, window_.NeedleValue(side));
}

void ProgressionMeters::ShowLevel(std::uint32_t levelWord, int soundVolume, int masterSlider)
{
    for (MeterSide side : {MeterSide::Left, MeterSide::Right}) {
        const int level = ScaledLevel(levelWord, side, soundVolume, masterSlider);
        Show(side, Follow(window_.NeedleValue(side), level));
    }
}

bool ProgressionMeters::FallBoth()
{
    bool moved = false;
    for (MeterSide side : {MeterSide::Left, MeterSide::Right}) {
        const int before = window_.NeedleValue(side);
        Show(side, Fall(before));
        moved = moved || window_.NeedleValue(side) != before;
    }
    return moved;
}
