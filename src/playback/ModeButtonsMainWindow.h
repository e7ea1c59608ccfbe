#pragma once
// The mode buttons, navigation and bars of the real main window as the keyboard and the mode
// buttons see them. Navigation runs the window's own routines; the play modes they set are the
// ones playback reads.
#include "playback/ModeButtonsWindow.h"

#include <functional>

class PlaybackMainForm;
class TBitBtnWithColor;

class ModeButtonsMainWindow final : public ModeButtonsWindow
{
public:
    explicit ModeButtonsMainWindow(PlaybackMainForm& form);

    TColor ModeColor(PlayModeButton button) const override;
    void SetModeColor(PlayModeButton button, TColor color) override;
    void SetModeEnabled(PlayModeButton button, bool enabled) override;
    void SetModeCaption(PlayModeButton button, const QString& caption) override;
    void SetTimeLabelsEnabled(bool enabled) override;
    void SetSoundPlayingVisible(bool visible) override;
    void ProcessPageButton(int page) override;
    void ProcessGroupButton(int group) override;
    void NextPage() override;
    void PrevPage() override;
    int VolumeBarValue() const override;
    void SetVolumeBarValue(int value) override;
    bool VolumeChanging() const override;
    void SetProgressGauge(int value) override;
    void ShowEqualizer() override;

    // The equalizer window, opened modally; handed in by the application.
    std::function<void()> OpenEqualizer;

private:
    TBitBtnWithColor* Button(PlayModeButton button) const;

    PlaybackMainForm& form_;
};
