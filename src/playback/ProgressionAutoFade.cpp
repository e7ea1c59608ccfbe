// The automatic cross fade and fade-out near the end of a play-list sound.
#include "playback/ProgressionTimerHandler.h"

#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "playback/PlaybackWindow.h"

bool ProgressionTimerHandler::AutoCrossFade()
{
    if (!s_.PlayListRunning || !set_.AutoFade || !set_.CrossFade || s_.lCrossFadingOut) {
        return false;
    }
    if (s_.RemainingSeconds == 0 || s_.RemainingSeconds > set_.CrossFadeStartSec) {
        return false;
    }
    // A sound already faded out (no next sound came) has had its log entry closed; it only
    // waits for the end-of-sound step.
    if (BASS_ChannelIsActive(s_.CurrentChannel) == BassActiveStopped) {
        return false;
    }
    if (s_.lHKPlaying) {
        if (set_.FadeOnHot) {
            log_.LogPlayedPending = true;
            log_.LogIt(QStringLiteral(" "));
            play_.CrossFadeOutExecute();
        }
        return false;
    }
    const Address playing = PlayingAddress();
    log_.LogPlayedPending = true;
    log_.LogIt(QStringLiteral(" "));
    play_.CrossFadeOutExecute();
    win_.CueEndPlay(playing.group, playing.page, playing.button);
    if (!PagePlayOn(playing.group, playing.page) || RapidFireShown()) {
        return false;
    }
    play_.PlayList();
    return true;
}

bool ProgressionTimerHandler::AutoFadeOut()
{
    if (!s_.PlayListRunning || !set_.AutoFade || !set_.FadeOut || s_.lCrossFadingOut || s_.lFadingOut) {
        return false;
    }
    if (s_.RemainingSeconds > set_.FadeOutStartSec) {
        return false;
    }
    const bool hotKey = s_.lHKPlaying;
    if (hotKey && !set_.FadeOnHot) {
        return false;
    }
    if (!hotKey) {
        tracer_.WriteTracer(QStringLiteral("Auto Fade Out ") + QString::number(s_.RemainingSeconds));
    }
    auto startsBefore = s_.StartCount;
    auto stopsBefore = s_.StopCount;
    // Clicks and keys run during the wait: a sound started or a stop made meanwhile is the
    // operator's choice, and ending "this" sound now would kill it.
    auto overtaken = [&] { return s_.StartCount != startsBefore || s_.StopCount != stopsBefore; };
    // As during a STOP fade: a pause now could not hold the fade, and the list would go on past it.
    win_.SetPauseEnabled(false);
    play_.FadeOutExecute();
    if (!WaitForFadeOut()) {
        play_.FadeOutStopIt();
    }
    if (overtaken()) {
        return true;
    }
    if (!hotKey) {
        // Keeps this test from firing again before the display timer catches up.
        s_.RemainingSeconds = 10000;
    }
    const Address playing = PlayingAddress();
    if (!play_.StopProcess(QStringLiteral("EndSound"))) {
        return true;
    }
    if (!hotKey) {
        win_.CueEndPlay(playing.group, playing.page, playing.button);
    }
    // A STOP during the wait ends the list (its flag goes off), and the list goes no further.
    if (!PagePlayOn(playing.group, playing.page) || s_.lHKPlaying || !s_.PlayListRunning || RapidFireShown()) {
        return true;
    }
    if (!hotKey) {
        // The stop above counts as one of ours; only what the pump runs may overtake the list.
        startsBefore = s_.StartCount;
        stopsBefore = s_.StopCount;
        ++s_.BusyWaitDepth;
        pump_.ProcessMessages();
        --s_.BusyWaitDepth;
        if (overtaken()) {
            return true;
        }
    }
    play_.PlayList();
    return true;
}

bool ProgressionTimerHandler::WaitForFadeOut()
{
    // Bounded: a slide always ends on the engine clock, but a stalled device must not hold the
    // program here.
    const qint64 deadline = clock_.TickCountMs() + s_.FadeOutMs + Playback::WaitMarginMs;
    ++s_.BusyWaitDepth;
    bool over = !s_.lFadingOut || play_.IsFadeOutOver();
    while (!over && clock_.TickCountMs() <= deadline) {
        pump_.WaitForMessages(Playback::PollMs, true);
        over = !s_.lFadingOut || play_.IsFadeOutOver();
    }
    --s_.BusyWaitDepth;
    return over;
}
