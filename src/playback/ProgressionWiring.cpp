#include "playback/ProgressionWiring.h"

#include "board/Settings.h"
#include "playback/PlaybackMainForm.h"

#include <QTimer>

ProgressionWiring::ProgressionWiring(PlaybackMainForm& form, const PlaybackContext& context)
    : QObject(&form), view_(form), progression_(context, form.Player(), view_), display_(context, view_),
      timers_(*form.ProgressionTimer, *form.DisplayTimer, progression_, display_, this)
{
    timers_.StartProgression(context.settings.MeterRate);
}
