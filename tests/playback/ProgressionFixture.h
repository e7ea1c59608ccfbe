#pragma once
// The playback world of PlaybackFixture with the two timer handlers over a recording stand-in of
// the meters, the master slider, the time labels and the mode-button colours.
#include "PlaybackFixture.h"

#include "playback/DisplayTimerHandler.h"
#include "playback/ProgressionTimerHandler.h"
#include "playback/ProgressionWindow.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

class ProgressionFakeWindow final : public ProgressionWindow
{
public:
    explicit ProgressionFakeWindow(FakePlaybackWindow& window) : window_(window) {}

    int NeedleValue(MeterSide side) const override { return Needles[Index(side)]; }
    void SetNeedleValue(MeterSide side, int value) override
    {
        Needles[Index(side)] = std::clamp(value, 0, 128);
    }
    void SetBarValue(MeterSide side, int value) override { Bars[Index(side)] = value; }
    int MasterSliderValue() const override { return MasterSlider; }
    TColor ModeButtonColor(ModeButton button) const override
    {
        const auto it = window_.Modes.find(button);
        return it == window_.Modes.end() ? clBtnFace : it->second;
    }
    void SetElapsedLabel(const QString& text) override { Elapsed = text; }
    void SetRemainingLabel(const QString& text) override { Remaining = text; }

    static std::size_t Index(MeterSide side) { return side == MeterSide::Left ? 0 : 1; }

    std::array<int, 2> Needles{};
    std::array<int, 2> Bars{};
    int MasterSlider = 100;
    QString Elapsed;
    QString Remaining;

private:
    FakePlaybackWindow& window_;
};

namespace PlaybackTest {
class ProgressionFixture : public PlaybackFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Renders `ms` of audio with the clock in step, then one progression tick.
    void TickAfter(int ms);
    // Both timers as the window runs them: a progression tick every 10 ms and a display tick
    // every 1000 ms, for `ms` or until `until` holds.
    void RunTimers(int ms, const std::function<bool()>& until = nullptr);
    // Makes page 1 of group 1 a play-list page and turns play-list mode on.
    void UsePlayListPage();
    int LeftNeedle() const { return view_->Needles[0]; }

    std::unique_ptr<ProgressionFakeWindow> view_;
    std::unique_ptr<ProgressionTimerHandler> progression_;
    std::unique_ptr<DisplayTimerHandler> display_;
    int elapsedMs_ = 0;
};
} // namespace PlaybackTest
