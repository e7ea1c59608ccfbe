#pragma once
// The timers' view of the real main window: the needle and bar meters, the master volume bar,
// the elapsed and remaining labels and the mode buttons' colours of TForm1.
#include "playback/ProgressionWindow.h"

class TForm1;

class ProgressionMainFormWindow final : public ProgressionWindow
{
public:
    explicit ProgressionMainFormWindow(TForm1& form) : form_(form) {}

    int NeedleValue(MeterSide side) const override;
    void SetNeedleValue(MeterSide side, int value) override;
    void SetBarValue(MeterSide side, int value) override;
    int MasterSliderValue() const override;
    TColor ModeButtonColor(ModeButton button) const override;
    void SetElapsedLabel(const QString& text) override;
    void SetRemainingLabel(const QString& text) override;

private:
    TForm1& form_;
};
