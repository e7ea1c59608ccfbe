#include "playback/ProgressionWiring.h"

#include "board/Settings.h"
#include "controls/zPanel.h"
#include "playback/PlaybackState.h"
#include "playback/PlaybackMainForm.h"

#include <QTimer>

ProgressionWiring::ProgressionWiring(PlaybackMainForm& form, const PlaybackContext& context)
    : QObject(&form), view_(form), progression_(context, form.Player(), view_), display_(context, view_),
      timers_(*form.ProgressionTimer, *form.DisplayTimer, progression_, display_, this)
{
    timers_.StartProgression(context.settings.MeterRate);
    // Each drawn tick writes both needles: queued, they reach the screen in one paint with the
    // progress bar instead of one trip to the display each.
    form.LeftMeter->SetQueuedPaints(true);
    form.RightMeter->SetQueuedPaints(true);
    // Every play path starts the display timer: the progression ticks wake with it.
    form.PlaybackView().WakeProgression = [this] { timers_.Wake(); };
    form.ApplyMeterRate = [this](int meterRateMs) { timers_.SetMeterRate(meterRateMs); };
    form.PlaybackWaiting = [&state = context.state] { return state.BusyWaitDepth > 0; };
}
