#pragma once
// The playback world of PlaybackFixture with the play list's extras: a window that can move to the
// next play-list page, a recording random source, the keyboard and the mode buttons.
#include "ModeButtonsFakeWindow.h"
#include "PlaybackFixture.h"

#include "platform/Random.h"
#include "playback/Keyboard.h"
#include "playback/ModeButtons.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace PlaybackTest {

// Draws from a seeded generator unless a value is queued; keeps every bound it was asked for.
class RecordingRandom final : public RandomSource
{
public:
    int Next(int n) override
    {
        Bounds.push_back(n);
        if (!Queued.empty()) {
            const int v = Queued.front();
            Queued.pop_front();
            return v;
        }
        return seeded_.Next(n);
    }
    std::vector<int> Bounds;
    std::deque<int> Queued;

private:
    SeededRandom seeded_{20240101u};
};

// Forwards to the recording window and adds the move to the next play-list page.
class PlayListWindow final : public PlaybackWindow
{
public:
    explicit PlayListWindow(FakePlaybackWindow& inner) : w_(inner) {}
    TColor PanelColor(int slot) const override { return w_.PanelColor(slot); }
    void SetPanelColor(int slot, TColor color) override { w_.SetPanelColor(slot, color); }
    void SetSoundButtonColor(int slot, TColor color) override { w_.SetSoundButtonColor(slot, color); }
    QString SoundButtonCaption(int slot) const override { return w_.SoundButtonCaption(slot); }
    void SetTimeLabel(int slot, const QString& text) override { w_.SetTimeLabel(slot, text); }
    void FocusDummy() override { w_.FocusDummy(); }
    void SetNowPlaying(bool visible, const QString& text) override { w_.SetNowPlaying(visible, text); }
    void SetPauseEnabled(bool enabled) override { w_.SetPauseEnabled(enabled); }
    void SetStopEnabled(bool enabled) override { w_.SetStopEnabled(enabled); }
    void SetStopMenuItemEnabled(bool enabled) override { w_.SetStopMenuItemEnabled(enabled); }
    void SetModeButtonColor(ModeButton button, TColor color) override
    {
        w_.SetModeButtonColor(button, color);
    }
    void SetDisplayInterval(int ms) override { w_.SetDisplayInterval(ms); }
    void StartDisplayTimer() override { w_.StartDisplayTimer(); }
    void SetTotalTimeLabel(const QString& text) override { w_.SetTotalTimeLabel(text); }
    void ResetTimeDisplays() override { w_.ResetTimeDisplays(); }
    int AdvanceBar() const override { return w_.AdvanceBar(); }
    void SetAdvanceBar(int position) override { w_.SetAdvanceBar(position); }
    void ButtonsOn() override { w_.ButtonsOn(); }
    void SetVolumeHint(const QString& text) override { w_.SetVolumeHint(text); }
    void OpenSoundButtonEditor() override { w_.OpenSoundButtonEditor(); }
    void CueEndPlay(int group, int page, int button) override { w_.CueEndPlay(group, page, button); }
    bool PlayListNextPage() override { return NextPlayListPage ? NextPlayListPage() : false; }

    std::function<bool()> NextPlayListPage;

private:
    FakePlaybackWindow& w_;
};

class PlayListFixture : public PlaybackFixture
{
protected:
    void SetUp() override;

    // A sound file of `seconds` on a button of any page; on the shown page its slot shows the caption.
    QString AddSoundOn(int group, int page, int button, double seconds = 1.0);
    // What the progression tick does when a play-list sound ends: the stop, then the next sound.
    bool EndSoundAndContinue();
    // The key release and key press of the main window.
    void KeyUp(int key, int shift = 0) { keyboard_->HotKeyProcess(key, shift); }
    int Playing() const { return state_.Playing ? selection_.PlayingButton : 0; }

    PlayListWindow listWindow_{window_};
    ModeButtonsFakeWindow modes_;
    RecordingRandom random_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<ModeButtons> buttons_;
};
} // namespace PlaybackTest
