#pragma once
// The main window's keys: key up runs the live-show keys (manual cursor, page and group moves,
// talk, the space bar's stop, fade-stop and play-list roles, backslash, hot keys), key down the
// master volume. Keys arrive as virtual-key codes with the class library's shift state.
#include "playback/Playback.h"

class ModeButtonsWindow;

class Keyboard
{
public:
    Keyboard(Playback& playback, const PlaybackContext& context, ModeButtonsWindow& modes);

    // Key up. Each release runs the first step that takes the key.
    void HotKeyProcess(int key, int shift);
    // Key down: plus and minus move the master volume by one.
    void VolumeChangeProcess(int key, int shift);

    // Button 1..48 of the shown page that a key plays in the fixed broadcast layout, 0 for none.
    static int BroadcastKeyButton(int key);

private:
    bool NavigationKeys(int key);
    void EscapeKey();
    void SpaceBarStop();
    void BackslashStop();
    void RapidFireKey();
    void FadeStopKey();
    void IdleSpaceKey();
    // Space or Enter in manual control: plays the button under the cursor; with no button under
    // it (the cursor still at 0) nothing happens.
    void PlayCursorButton();
    // The rest of a stop with fade once StopProcess returned: Loop off, the fade option restored.
    void FinishFadeStop(std::uint64_t startsBefore);
    void LoopOff();
    void HotKeys(int key, int shift);
    bool PlayingPageIsPlayList() const;

    Playback& play_;
    PlaybackState& s_;
    Board& board_;
    Selection& sel_;
    Settings& set_;
    Tracer& tracer_;
    Dialogs& dialogs_;
    PlaybackWindow& win_;
    ModeButtonsWindow& modes_;
};
