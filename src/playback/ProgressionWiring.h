#pragma once
// Puts the progression and display timers to work in the real main window: their tick handlers
// over the window's meters and labels, and the progression timer started at MeterRate. Owned by
// the window as its child.
#include "playback/DisplayTimerHandler.h"
#include "playback/ProgressionMainFormWindow.h"
#include "playback/ProgressionTimerHandler.h"
#include "playback/ProgressionTimers.h"

#include <QObject>

class PlaybackMainForm;

class ProgressionWiring final : public QObject
{
public:
    ProgressionWiring(PlaybackMainForm& form, const PlaybackContext& context);

    ProgressionTimerHandler& Progression() { return progression_; }
    DisplayTimerHandler& Display() { return display_; }
    ProgressionTimers& Timers() { return timers_; }

private:
    ProgressionMainFormWindow view_;
    ProgressionTimerHandler progression_;
    DisplayTimerHandler display_;
    ProgressionTimers timers_;
};
