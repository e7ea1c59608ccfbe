#pragma once
// What the play paths do to the main window: the colours of the 48 slots of the shown page (which
// several commands read back, so they are behaviour), the mode buttons, the now-playing and time
// displays, the display timer and the keyboard focus. The main window implements it; tests use a
// recording stand-in.
#include "platform/Color.h"

#include <QString>

enum class ModeButton { Pause, FadeIn, FadeOut, CrossFade, VoiceOver, Loop, PlayList };

class PlaybackWindow
{
public:
    virtual ~PlaybackWindow() = default;

    // --- Slots 1..48 of the page on display.
    virtual TColor PanelColor(int slot) const = 0;
    virtual void SetPanelColor(int slot, TColor color) = 0;
    virtual void SetSoundButtonColor(int slot, TColor color) = 0;
    virtual QString SoundButtonCaption(int slot) const = 0;
    virtual void SetTimeLabel(int slot, const QString& text) = 0;

    // --- The rest of the window.
    // Parks the keyboard focus on the hidden DummyButton so keys reach the hot-key handling.
    virtual void FocusDummy() = 0;
    // Label2 ("Now Playing:") and the SoundPlaying text.
    virtual void SetNowPlaying(bool visible, const QString& text) = 0;
    // The Pause button and its menu item; the STOP button and the Stop menu item.
    virtual void SetPauseEnabled(bool enabled) = 0;
    virtual void SetStopEnabled(bool enabled) = 0;
    // The Stop menu item alone.
    virtual void SetStopMenuItemEnabled(bool enabled) = 0;
    virtual void SetModeButtonColor(ModeButton button, TColor color) = 0;
    virtual void SetDisplayInterval(int ms) = 0;
    virtual void StartDisplayTimer() = 0;
    virtual void SetTotalTimeLabel(const QString& text) = 0;
    // Total, elapsed and remaining labels "00:00", progress gauge and progress bar 0.
    virtual void ResetTimeDisplays() = 0;
    virtual int AdvanceBar() const = 0;
    virtual void SetAdvanceBar(int position) = 0;
    virtual void ButtonsOn() = 0;
    virtual void SetVolumeHint(const QString& text) = 0;
    // Edit mode: the sound-button editor, modally, on the popup target.
    virtual void OpenSoundButtonEditor() = 0;
    // Removes a played entry from the cue.
    virtual void CueEndPlay(int group, int page, int button) = 0;
    // Shows the next play-list page of the group after the shown one and makes it the playing page;
    // false when there is none.
    virtual bool PlayListNextPage() { return false; }
};
