#pragma once
// The rise and fall of the stereo meters, one call per progression tick. The needle meter holds
// the value; its bar meter always shows the same.
#include "playback/ProgressionWindow.h"

#include <cstdint>

class ProgressionMeters
{
public:
    explicit ProgressionMeters(ProgressionWindow& window) : window_(window) {}

    // One side of a level word (left in the low 16 bits, right in the high 16 bits, 0..32768)
    // scaled by the sound's volume and the master slider (both 0..100) to the meters' 0..128.
    static int ScaledLevel(std::uint32_t levelWord, MeterSide side, int soundVolume, int masterSlider);
    // The needle's next value while a sound plays: it rises to a louder level at once and falls
    // towards a quieter one by at most 3 per tick.
    static int Follow(int needle, int level);
    // The needle's next value when nothing feeds it: down by 5, to 0 from 5 or less.
    static int Fall(int needle);

    // Both sides follow the level word of the playing channel.
    void ShowLevel(std::uint32_t levelWord, int soundVolume, int masterSlider);
    // Both sides fall one step; false once both needles rest (nothing left to draw).
    bool FallBoth();

private:
    void Show(MeterSide side, int needle);

    ProgressionWindow& window_;
};
