#pragma once
// The play paths' view of the real main window: slot panels and sound buttons, mode buttons,
// the now-playing text, the display timer and the progress bar of TForm1. The sound-button editor
// lives in a layer that builds on playback, so the window that owns this view hands it in.
#include "playback/PlaybackWindow.h"

#include <functional>

class TForm1;

class MainFormPlaybackWindow final : public PlaybackWindow
{
public:
    explicit MainFormPlaybackWindow(TForm1& form);

    TColor PanelColor(int slot) const override;
    void SetPanelColor(int slot, TColor color) override;
    void SetSoundButtonColor(int slot, TColor color) override;
    QString SoundButtonCaption(int slot) const override;
    void SetTimeLabel(int slot, const QString& text) override;
    void FocusDummy() override;
    void SetNowPlaying(bool visible, const QString& text) override;
    void SetPauseEnabled(bool enabled) override;
    void SetStopEnabled(bool enabled) override;
    void SetStopMenuItemEnabled(bool enabled) override;
    void SetModeButtonColor(ModeButton button, TColor color) override;
    void SetDisplayInterval(int ms) override;
    void StartDisplayTimer() override;
    void SetTotalTimeLabel(const QString& text) override;
    void ResetTimeDisplays() override;
    int AdvanceBar() const override;
    void SetAdvanceBar(int position) override;
    void ButtonsOn() override;
    void SetVolumeHint(const QString& text) override;
    void OpenSoundButtonEditor() override;
    void CueEndPlay(int group, int page, int button) override;
    bool PlayListNextPage() override;

    std::function<void()> OpenEditor;
    // Runs with every start of the display timer, that is with every play.
    std::function<void()> WakeProgression;

private:
    TForm1& form_;
};
