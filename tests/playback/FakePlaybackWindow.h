#pragma once
// A main window stand-in that keeps what the play paths paint and show, so tests can read it back.
#include "playback/PlaybackWindow.h"

#include <array>
#include <map>
#include <vector>

class FakePlaybackWindow final : public PlaybackWindow
{
public:
    FakePlaybackWindow()
    {
        Panels.fill(clBtnFace);
        SoundButtons.fill(clBtnFace);
    }

    TColor PanelColor(int slot) const override { return Panels[static_cast<std::size_t>(slot)]; }
    void SetPanelColor(int slot, TColor color) override { Panels[static_cast<std::size_t>(slot)] = color; }
    void SetSoundButtonColor(int slot, TColor color) override { SoundButtons[static_cast<std::size_t>(slot)] = color; }
    QString SoundButtonCaption(int slot) const override { return Captions[static_cast<std::size_t>(slot)]; }
    void SetTimeLabel(int slot, const QString& text) override { TimeLabels[static_cast<std::size_t>(slot)] = text; }
    void FocusDummy() override { ++FocusCount; }
    void SetNowPlaying(bool visible, const QString& text) override
    {
        NowPlayingVisible = visible;
        NowPlaying = text;
    }
    void SetPauseEnabled(bool enabled) override { PauseEnabled = enabled; }
    void SetStopEnabled(bool enabled) override { StopEnabled = StopMenuItemEnabled = enabled; }
    void SetStopMenuItemEnabled(bool enabled) override { StopMenuItemEnabled = enabled; }
    void SetModeButtonColor(ModeButton button, TColor color) override { Modes[button] = color; }
    void SetDisplayInterval(int ms) override { DisplayInterval = ms; }
    void StartDisplayTimer() override { DisplayTimerOn = true; }
    void SetTotalTimeLabel(const QString& text) override { TotalTime = text; }
    void ResetTimeDisplays() override { ++TimeResets; }
    int AdvanceBar() const override { return Bar; }
    void SetAdvanceBar(int position) override { Bar = position; }
    void ButtonsOn() override { ++ButtonsOnCount; }
    void SetVolumeHint(const QString& text) override { VolumeHint = text; }
    void OpenSoundButtonEditor() override { ++EditorOpened; }
    void CueEndPlay(int group, int page, int button) override { CueEnds.push_back({group, page, button}); }

    std::array<TColor, 49> Panels{};
    std::array<TColor, 49> SoundButtons{};
    std::array<QString, 49> Captions{};
    std::array<QString, 49> TimeLabels{};
    std::map<ModeButton, TColor> Modes;
    std::vector<std::array<int, 3>> CueEnds;
    QString NowPlaying;
    QString TotalTime;
    QString VolumeHint;
    bool NowPlayingVisible = false;
    bool PauseEnabled = false;
    bool StopEnabled = false;
    bool StopMenuItemEnabled = false;
    bool DisplayTimerOn = false;
    int DisplayInterval = 1000;
    int Bar = 0;
    int FocusCount = 0;
    int TimeResets = 0;
    int ButtonsOnCount = 0;
    int EditorOpened = 0;
};
