// Ending what plays: StopProcess and its reasons, the STOP button, the Stop menu item and the Loop
// toggles.
#include "playback/Playback.h"

#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "playback/PlaybackWindow.h"

namespace {
const QString SoundButtonReason = QStringLiteral("SoundButton");
const QString HotKeyReason = QStringLiteral("HotKey");
const QString StopButtonReason = QStringLiteral("StopButton");
const QString EndSoundReason = QStringLiteral("EndSound");
} // namespace

bool Playback::StopProcess(const QString& reason)
{
    bool result = true;
    Guarded(QStringLiteral("StopProcess"), [&] {
        tracer_.WriteTracer(QStringLiteral("Stop Process"));
        tracer_.WriteTracer(QStringLiteral("  sProcessControl = ") + reason);
        if (reason == StopButtonReason) {
            // A sound still waiting for its file is stopped too.
            CancelWaitingStarts();
        }
        if (set_.MultiPlay && (reason == SoundButtonReason || reason == HotKeyReason)) {
            tracer_.WriteTracer(QStringLiteral("  MultiPlay on, exiting"));
            return true;
        }
        tracer_.WriteTracer(QStringLiteral("  Stop Process - Windows Process Messages"));
        const auto startsBefore = s_.StartCount;
        const auto stopsBefore = s_.StopCount;
        // A newer start or a finished stop inside a pump makes the rest of this stop stale: going on
        // would kill the sound just started or close the log entry twice.
        auto overtaken = [&] { return s_.StartCount != startsBefore || s_.StopCount != stopsBefore; };
        ++s_.BusyWaitDepth;
        pump_.ProcessMessages();
        --s_.BusyWaitDepth;
        if (overtaken()) {
            result = false;
            return true;
        }
        const bool endSound = reason == EndSoundReason;
        if (s_.lFadingIn) {
            s_.lFadingIn = false;
            if (!endSound) {
                tracer_.WriteTracer(QStringLiteral("  Fading in active"));
                FadeInStopIt();
            }
        }
        if (s_.lFadingOut) {
            const bool pauseFade = s_.PauseFadeOutRunning;
            if (!pauseFade) {
                tracer_.WriteTracer(QStringLiteral("  Fading out active"));
            }
            FadeOutStopIt();
            // A pause fade or a hot key's stop must still end every slot, or sounds faded to
            // silence would hold the table after the stop.
            if (!pauseFade && reason != HotKeyReason) {
                return true;
            }
        }
        if (s_.lCrossFadingIn) {
            s_.lCrossFadingIn = false;
            if (!endSound) {
                tracer_.WriteTracer(QStringLiteral("  Cross Fading In is active - stop it"));
                CrossFadeInStopIt();
            }
        }
        if (s_.lCrossFadingOut) {
            tracer_.WriteTracer(QStringLiteral("  Cross Fading Out is active - stop it"));
            CrossFadeOutStopIt();
        }
        const bool fade = !endSound && set_.FadeOut;
        auto fadeOutAndWait = [&] {
            win_.SetPauseEnabled(false);
            if (FadeOutExecute() && s_.lFadingOut) {
                BusyWait([this] { return IsFadeOutOver(); }, s_.FadeOutMs);
            }
            return !overtaken();
        };
        auto crossFadeOut = [&] {
            win_.SetPauseEnabled(false);
            log_.LogPlayedPending = true;
            log_.LogIt(QStringLiteral(" "));
            CrossFadeOutExecute();
        };
        if (endSound) {
            tracer_.WriteTracer(QStringLiteral("  Stop Process - Sound Over"));
        } else if (reason == StopButtonReason) {
            if (fade) {
                tracer_.WriteTracer(QStringLiteral("  Stop Process - StopButton Fade Out"));
                win_.SetPauseEnabled(false);
                if (!(s_.lHKPlaying && !set_.FadeOnHot) && !fadeOutAndWait()) {
                    result = false;
                    return true;
                }
            }
        } else if (reason == SoundButtonReason) {
            if (set_.CrossFade) {
                s_.lHKPlaying = false;
                tracer_.WriteTracer(QStringLiteral("  Start CrossFadeOut"));
                crossFadeOut();
                return true;
            }
            if (fade) {
                tracer_.WriteTracer(QStringLiteral("  Stop Process - SoundButton Fade Out"));
                if (!fadeOutAndWait()) {
                    result = false;
                    return true;
                }
            }
        } else if (reason == HotKeyReason) {
            tracer_.WriteTracer(QStringLiteral("  Stop Process - HotKey"));
            if (set_.FadeOnHot && set_.CrossFade) {
                tracer_.WriteTracer(QStringLiteral("  Start CrossFadeOut"));
                crossFadeOut();
                return true;
            }
            if (set_.FadeOnHot && fade) {
                tracer_.WriteTracer(QStringLiteral("  Stop Process - Hot Key Fade Out"));
                if (!fadeOutAndWait()) {
                    result = false;
                    return true;
                }
            }
        }
        ImmediateStop();
        win_.FocusDummy();
        return true;
    });
    return result;
}

// The pause between the last sound and the next. The window keeps painting and the timers keep
// ticking (nested ticks only poll); clicks and keys wait in the queue until it is over, as they
// would behind a plain sleep, so nothing can start a sound this stop would then cut off.
void Playback::WaitStopDelay()
{
    if (set_.Delay <= 0) {
        return;
    }
    const qint64 end = clock_.TickCountMs() + set_.Delay;
    ++s_.BusyWaitDepth;
    // Bounded by count as well: a clock that stands still must not hold the program here.
    for (int slice = 0; slice <= set_.Delay + MaxDelaySlices; ++slice) {
        const qint64 left = end - clock_.TickCountMs();
        if (left <= 0) {
            break;
        }
        pump_.WaitForMessages(static_cast<int>(left), false);
    }
    --s_.BusyWaitDepth;
}

// Steps of a stop that no fade or cross fade took over: every slot freed, the displays reset.
void Playback::ImmediateStop()
{
    s_.Playing = false;
    WaitStopDelay();
    StopAllChannels();
    s_.ChannelArray.fill(0);
    tracer_.WriteTracer(QStringLiteral("  Stop Process - Clear ChannelArray "));
    s_.TableChannelPosition = 0;
    s_.SoundSeconds = 0;
    s_.LongestSeconds = 0;
    ++s_.StopCount;
    win_.ButtonsOn();
    if (s_.lHKPlaying) {
        s_.lHKPlaying = false;
        tracer_.WriteTracer(QStringLiteral("lHKPlaying False"));
        s_.PlayListRunning = false;
    } else if (sel_.PlayingButton >= 1 && OnDisplay(sel_.PlayingGroup, sel_.PlayingPage)) {
        win_.SetSoundButtonColor(sel_.PlayingButton, set_.ButtonColor);
    }
    log_.LogPlayedPending = true;
    log_.LogIt(QStringLiteral(" "));
    win_.SetNowPlaying(false, QString());
    s_.lSoundTimer = false;
    win_.ResetTimeDisplays();
    for (int n = 1; n <= ButtonCount; ++n) {
        if (win_.PanelColor(n) != clLime) {
            win_.SetSoundButtonColor(n, clBtnFace);
        }
    }
    s_.Paused = false;
    win_.SetModeButtonColor(ModeButton::Pause, set_.ButtonColor);
    if (!s_.PlayListRunning) {
        if (board_.RapidFire[sel_.CurrentGroup][sel_.CurrentPage] == QStringLiteral("F")) {
            sel_.PlayingButton = 0;
        }
        win_.SetPauseEnabled(false);
        win_.SetStopEnabled(false);
        s_.Playing = false;
    }
}

void Playback::StopPlayButtonClick()
{
    Guarded(QStringLiteral("StopPlayButtonClick"), [&] {
        tracer_.WriteTracer(QStringLiteral("Stop Button hit"));
        s_.LoopMode = false;
        win_.SetModeButtonColor(ModeButton::Loop, set_.ButtonColor);
        s_.PlayListRunning = false;
        const auto startsBefore = s_.StartCount;
        StopProcess(StopButtonReason);
        if (s_.StartCount != startsBefore) {
            // A sound started inside the stop's wait; its STOP and Pause stay usable.
            return true;
        }
        win_.SetPauseEnabled(false);
        s_.Paused = false;
        win_.SetStopEnabled(false);
        s_.LoopMode = false;
        s_.PlayListRunning = false;
        win_.FocusDummy();
        return true;
    });
}

void Playback::Stop1Click()
{
    Guarded(QStringLiteral("Stop1Click"), [&] {
        const auto startsBefore = s_.StartCount;
        StopProcess(StopButtonReason);
        if (s_.StartCount != startsBefore) {
            return true;
        }
        win_.SetPauseEnabled(false);
        win_.SetStopEnabled(false);
        s_.Playing = false;
        s_.LoopMode = false;
        win_.SetModeButtonColor(ModeButton::Loop, set_.ButtonColor);
        s_.PlayListRunning = false;
        win_.ButtonsOn();
        return true;
    });
}

void Playback::LoopOnButtonClick()
{
    Guarded(QStringLiteral("LoopOnButtonClick"), [&] {
        s_.LoopMode = !s_.LoopMode;
        win_.SetModeButtonColor(ModeButton::Loop, s_.LoopMode ? set_.ActiveButtonColor : set_.ButtonColor);
        tracer_.WriteTracer(s_.LoopMode ? QStringLiteral("Loop is ON") : QStringLiteral("Loop is OFF"));
        for (int n = 1; n <= ButtonCount; ++n) {
            if (win_.PanelColor(n) != clLime) {
                win_.SetSoundButtonColor(n, clBtnFace);
            }
        }
        win_.FocusDummy();
        return true;
    });
}

void Playback::Loop1Click()
{
    Guarded(QStringLiteral("Loop1Click"), [&] {
        s_.LoopMode = !s_.LoopMode;
        win_.SetModeButtonColor(ModeButton::Loop, s_.LoopMode ? set_.ActiveButtonColor : set_.ButtonColor);
        return true;
    });
}
