#pragma once
// The display timer's tick: blinks the mode buttons of the fades and the talk button, blinks Pause
// and the paused sound's panel, and writes the elapsed and remaining times (the elapsed text is
// also what the play log records as the played time). GUI thread only.
#include "playback/Playback.h"
#include "playback/PlaybackWindow.h"

class ProgressionWindow;

class DisplayTimerHandler
{
public:
    DisplayTimerHandler(const PlaybackContext& context, ProgressionWindow& view);

    void DisplayTimerAdvance();

private:
    void Tick();
    void Blink(ModeButton button);
    void BlinkPausedPanel();
    void ShowTimes();
    // Bytes into the sound as the operator counts them: from the custom start when it has one.
    std::int64_t ElapsedBytes(std::int64_t position) const;

    PlaybackState& s_;
    Board& board_;
    Selection& sel_;
    Settings& set_;
    Tracer& tracer_;
    PlayLog& log_;
    Dialogs& dialogs_;
    PlaybackWindow& win_;
    ProgressionWindow& view_;
};
