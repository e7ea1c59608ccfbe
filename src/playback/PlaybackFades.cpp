// Fade-in, fade-out and the pause fades: slides started here and noticed by polling.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "platform/Rounding.h"
#include "playback/PlaybackWindow.h"

#include <algorithm>

int Playback::FadeMs(double settingSec) const
{
    // A sound about to end fades over what is left of it; a sound already past its end (a
    // negative remainder) fades at once rather than over a negative time.
    const double seconds = s_.RemainingSeconds < settingSec ? s_.RemainingSeconds : settingSec;
    return std::max(0, RoundHalfEven(seconds * 1000.0));
}

void Playback::EndingRule(FadeFamily family)
{
    win_.SetDisplayInterval(s_.lVoiceOver && set_.VoiceOverBlink ? 250 : 1000);
    switch (family) {
    case FadeFamily::FadeIn:
        win_.SetModeButtonColor(ModeButton::FadeIn, set_.ActiveButtonColor);
        break;
    case FadeFamily::PauseFadeIn:
        win_.SetModeButtonColor(ModeButton::FadeIn, set_.FadeIn ? set_.ActiveButtonColor : set_.ButtonColor);
        break;
    case FadeFamily::FadeOut:
    case FadeFamily::PauseFadeOut:
        win_.SetModeButtonColor(ModeButton::FadeOut, set_.ActiveButtonColor);
        set_.FadeOut = set_.FadeOutSaved;
        if (!set_.FadeOut) {
            win_.SetModeButtonColor(ModeButton::FadeOut, set_.ButtonColor);
        }
        break;
    case FadeFamily::CrossFade:
        win_.SetModeButtonColor(ModeButton::CrossFade, set_.ActiveButtonColor);
        break;
    }
}

int Playback::TargetVolume(int slot) const
{
    const BassHandle h = s_.ChannelArray[static_cast<std::size_t>(slot)];
    if (s_.lFadingIn && s_.PauseFadeInRunning) {
        return s_.ChannelPauseVolume[static_cast<std::size_t>(slot)];
    }
    if ((s_.lFadingIn && h == s_.FadeInChannel) || (s_.lCrossFadingIn && h == s_.CrossFadeInChannel)) {
        return s_.FadeInTarget;
    }
    int volume = 0;
    BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr);
    return volume;
}

bool Playback::BusyWait(const std::function<bool()>& over, int ms)
{
    const qint64 deadline = clock_.TickCountMs() + ms + WaitMarginMs;
    ++s_.BusyWaitDepth;
    bool done = over();
    while (!done && clock_.TickCountMs() <= deadline) {
        // Sleeps between polls: a fade is long, and spinning here would take a whole core.
        pump_.WaitForMessages(PollMs, true);
        done = over();
    }
    --s_.BusyWaitDepth;
    return done;
}

bool Playback::FadeInExecute()
{
    return Guarded(QStringLiteral("FadeInExecute"), [&] {
        const BassHandle h = s_.CurrentChannel;
        tracer_.WriteTracer(QStringLiteral("FadeIn Execute - Channel ") + QString::number(h));
        s_.lFadingIn = true;
        s_.PauseFadeInRunning = false;
        s_.FadeInChannel = h;
        s_.FadeInMs = FadeMs(set_.FadeInSec);
        win_.SetDisplayInterval(250);
        if (BASS_ChannelIsActive(h) == BassActiveStopped) {
            tracer_.WriteTracer(QStringLiteral("FadeInExecute - Channel not active - ") + QString::number(h));
            BASS_StreamFree(h);
            s_.lFadingIn = false;
            return true;
        }
        // Under voice-over the new sound rises only to the ducked level.
        s_.FadeInTarget = s_.lVoiceOver ? set_.VoiceOverVolume : s_.CurrentVolume;
        if (!BASS_ChannelSetAttributes(h, -1, 0, -101)) {
            BassErrorFunction(QStringLiteral("FadeInExecute - Set Volume to zero"), tracer_, dialogs_);
        }
        if (!BASS_ChannelSlideAttributes(h, -1, s_.FadeInTarget, -101, static_cast<std::uint32_t>(s_.FadeInMs))) {
            BassErrorFunction(QStringLiteral("FadeInExecute - Volume from zero to 100"), tracer_, dialogs_);
        }
        return true;
    });
}

bool Playback::IsFadeInOver()
{
    return Guarded(QStringLiteral("IsFadeInOver"), [&] {
        if (BASS_ChannelIsSliding(s_.FadeInChannel) == BassSlidingVolume) {
            return false;
        }
        tracer_.WriteTracer(QStringLiteral("Bass Pause Fading In Slide Over - Channel ") +
                            QString::number(s_.FadeInChannel));
        s_.lFadingIn = false;
        EndingRule(FadeFamily::FadeIn);
        return true;
    });
}

bool Playback::FadeInStopIt()
{
    return Guarded(QStringLiteral("FadeInStopIt"), [&] {
        tracer_.WriteTracer(QStringLiteral("FadeInStopIt - Channel ") + QString::number(s_.FadeInChannel));
        s_.lFadingIn = false;
        s_.PauseFadeInRunning = false;
        EndingRule(FadeFamily::FadeIn);
        return true;
    });
}

bool Playback::FadeOutExecute()
{
    try {
        tracer_.WriteTracer(QStringLiteral("FadeOut Execute"));
        if (s_.lFadingIn) {
            tracer_.WriteTracer(QStringLiteral("FadeOut Execute - Fading in active - stop it"));
            FadeInStopIt();
        }
        s_.lFadingOut = true;
        s_.PauseFadeOutRunning = false;
        const BassHandle h = s_.CurrentChannel;
        s_.FadeOutChannel = h;
        tracer_.WriteTracer(QStringLiteral("Fade Out Channel ") + QString::number(h));
        s_.FadeOutMs = FadeMs(set_.FadeOutSec);
        const QString seconds = QString::number(s_.FadeOutMs / 1000.0);
        tracer_.WriteTracer(s_.RemainingSeconds < set_.FadeOutSec ? QStringLiteral("FadeOut Time Less ") + seconds
                                                                  : QStringLiteral("FadeOut Time Regular ") + seconds);
        tracer_.WriteTracer(QStringLiteral("FadeOutExecute - ChannelArray not cleared"));
        win_.SetDisplayInterval(250);
        if (BASS_ChannelIsActive(h) == BassActiveStopped) {
            tracer_.WriteTracer(QStringLiteral("FadeOutExecute - Channel not active - ") + QString::number(h));
            BASS_StreamFree(h);
            s_.lFadingOut = false;
            return true;
        }
        tracer_.WriteTracer(QStringLiteral("FadeOutController ") + QString::number(s_.FadeOutMs));
        for (int n = 1; n <= ChannelSlots; ++n) {
            const BassHandle slot = s_.ChannelArray[n];
            if (slot == 0) {
                continue;
            }
            if (!BASS_ChannelSlideAttributes(slot, -1, 0, -101, static_cast<std::uint32_t>(s_.FadeOutMs))) {
                ChannelErrorFunction(QStringLiteral("FadeOutExecute"), tracer_, dialogs_);
            }
            s_.FadeOutChannel = slot;
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("FadeOutOver"));
    }
    return true;
}

bool Playback::IsFadeOutOver()
{
    return Guarded(QStringLiteral("IsFadeOutOver"), [&] {
        if (BASS_ChannelIsSliding(s_.FadeOutChannel) == BassSlidingVolume) {
            return false;
        }
        tracer_.WriteTracer(QStringLiteral("Bass Fading Out Slide Over - Channel ") +
                            QString::number(s_.FadeOutChannel));
        s_.lFadingOut = false;
        EndingRule(FadeFamily::FadeOut);
        return true;
    });
}

bool Playback::FadeOutStopIt()
{
    return Guarded(QStringLiteral("FadeOutStopIt"), [&] {
        tracer_.WriteTracer(QStringLiteral("FadeOutStopIt - Channel ") + QString::number(s_.FadeOutChannel));
        BASS_StreamFree(s_.FadeOutChannel);
        s_.lFadingOut = false;
        s_.PauseFadeOutRunning = false;
        EndingRule(FadeFamily::FadeOut);
        return true;
    });
}

bool Playback::PauseFadeOutExecute()
{
    return Guarded(QStringLiteral("PauseFadeOutExecute"), [&] {
        tracer_.WriteTracer(QStringLiteral("PauseFadeOut Execute"));
        s_.lFadingOut = true;
        s_.PauseFadeOutRunning = true;
        s_.FadeOutChannel = s_.CurrentChannel;
        tracer_.WriteTracer(QStringLiteral("Pause Fade Out Channel ") + QString::number(s_.CurrentChannel));
        s_.FadeOutMs = FadeMs(set_.PauseFadeOutSec);
        win_.SetDisplayInterval(250);
        for (int n = 1; n <= ChannelSlots; ++n) {
            const BassHandle slot = s_.ChannelArray[n];
            if (slot != 0 &&
                !BASS_ChannelSlideAttributes(slot, -1, 0, -101, static_cast<std::uint32_t>(s_.FadeOutMs))) {
                ChannelErrorFunction(QStringLiteral("PauseFadeOutExecute"), tracer_, dialogs_);
            }
        }
        return true;
    });
}

bool Playback::IsPauseFadeOutOver()
{
    return Guarded(QStringLiteral("IsPauseFadeOutOver"), [&] {
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (s_.ChannelArray[n] != 0 && BASS_ChannelIsSliding(s_.ChannelArray[n]) == BassSlidingVolume) {
                return false;
            }
        }
        tracer_.WriteTracer(QStringLiteral("Bass Fading Out Slide Over - Channel ") +
                            QString::number(s_.FadeOutChannel));
        s_.lFadingOut = false;
        s_.PauseFadeOutRunning = false;
        EndingRule(FadeFamily::PauseFadeOut);
        return true;
    });
}

bool Playback::PauseFadeInExecute()
{
    return Guarded(QStringLiteral("PauseFadeInExecute"), [&] {
        const BassHandle h = s_.CurrentChannel;
        tracer_.WriteTracer(QStringLiteral("PauseFadeIn Execute - Channel ") + QString::number(h));
        s_.lFadingIn = true;
        s_.PauseFadeInRunning = true;
        s_.FadeInChannel = h;
        s_.FadeInMs = FadeMs(set_.PauseFadeInSec);
        win_.SetDisplayInterval(250);
        if (BASS_ChannelIsActive(h) == BassActiveStopped) {
            tracer_.WriteTracer(QStringLiteral("FadeInExecute - Channel not active - ") + QString::number(h));
            BASS_StreamFree(h);
            s_.lFadingIn = false;
            s_.PauseFadeInRunning = false;
            return true;
        }
        for (int n = 1; n <= ChannelSlots; ++n) {
            const BassHandle slot = s_.ChannelArray[n];
            if (slot == 0) {
                continue;
            }
            if (!BASS_ChannelSetAttributes(slot, -1, 0, -101)) {
                ChannelErrorFunction(QStringLiteral("PauseFadeInExecute - Set Volume to zero"), tracer_,
                                     dialogs_);
            }
            if (!BASS_ChannelSlideAttributes(slot, -1, s_.ChannelPauseVolume[n], -101,
                                             static_cast<std::uint32_t>(s_.FadeInMs))) {
                ChannelErrorFunction(QStringLiteral("PauseFadeInExecute - Volume from zero to 100"), tracer_,
                                     dialogs_);
            }
        }
        return true;
    });
}

bool Playback::IsPauseFadeInOver()
{
    return Guarded(QStringLiteral("IsPauseFadeInOver"), [&] {
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (s_.ChannelArray[n] != 0 && BASS_ChannelIsSliding(s_.ChannelArray[n]) == BassSlidingVolume) {
                return false;
            }
        }
        tracer_.WriteTracer(QStringLiteral("Bass Pause Fading In Slide Over "));
        s_.lFadingIn = false;
        s_.PauseFadeInRunning = false;
        EndingRule(FadeFamily::PauseFadeIn);
        return true;
    });
}
