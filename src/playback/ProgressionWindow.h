#pragma once
// What the two timers need of the main window beyond the play paths' view: the stereo meters,
// the master slider, the elapsed and remaining labels and the colour a mode button shows now
// (the blinking toggles on it). The main window implements it; tests use a recording stand-in.
#include "platform/Color.h"
#include "playback/PlaybackWindow.h"

#include <QString>

enum class MeterSide
{
    Left,
    Right
};

class ProgressionWindow
{
public:
    virtual ~ProgressionWindow() = default;

    // The needle meter of a side (LeftMeter, RightMeter): its value as the meter holds it, which
    // may differ from what was written when the meter clamps to its range.
    virtual int NeedleValue(MeterSide side) const = 0;
    virtual void SetNeedleValue(MeterSide side, int value) = 0;
    // The bar meter of a side (LMeter, RMeter).
    virtual void SetBarValue(MeterSide side, int value) = 0;
    // The master volume slider VolumeControl, 0..100.
    virtual int MasterSliderValue() const = 0;
    virtual TColor ModeButtonColor(ModeButton button) const = 0;
    // lblTimeElapsed and lblTimeRemaining.
    virtual void SetElapsedLabel(const QString& text) = 0;
    virtual void SetRemainingLabel(const QString& text) = 0;
};
