#pragma once
// What the keyboard and the mode buttons do to the main window beyond the play paths: the mode
// buttons' colours, captions and enabled states, page and group navigation, the master volume
// bar and the progress gauge. The main window implements it; tests use a recording stand-in.
#include "platform/Color.h"

#include <QString>

enum class PlayModeButton
{
    Shuffle,
    PlayList,
    RapidFire,
    CrossFade,
    AutoFade,
    MultiPlay,
    FadeIn,
    FadeOut,
    VoiceOver,
    Pause,
    Loop,
    Next,
    Cue
};

class ModeButtonsWindow
{
public:
    virtual ~ModeButtonsWindow() = default;

    virtual TColor ModeColor(PlayModeButton button) const = 0;
    virtual void SetModeColor(PlayModeButton button, TColor color) = 0;
    virtual void SetModeEnabled(PlayModeButton button, bool enabled) = 0;
    virtual void SetModeCaption(PlayModeButton button, const QString& caption) = 0;
    // The total, remaining and elapsed time labels and their captions.
    virtual void SetTimeLabelsEnabled(bool enabled) = 0;
    // The SoundPlaying (now-playing) label.
    virtual void SetSoundPlayingVisible(bool visible) = 0;

    // Navigation of the main window.
    virtual void ProcessPageButton(int page) = 0;
    virtual void ProcessGroupButton(int group) = 0;
    virtual void NextPage() = 0;
    virtual void PrevPage() = 0;

    // The master volume bar (VolumeControl, 0..100) and the flag set around the program's own moves.
    virtual int VolumeBarValue() const = 0;
    virtual void SetVolumeBarValue(int value) = 0;
    virtual bool VolumeChanging() const = 0;
    // The progress gauge under the progress bar, 0..100.
    virtual void SetProgressGauge(int value) = 0;
    // The equalizer window, modally.
    virtual void ShowEqualizer() = 0;
};
