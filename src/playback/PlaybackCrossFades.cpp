// The cross fade: the old sounds slide out under their own handles, outside the channel table,
// while the new sound rises in slot 1.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "playback/PlaybackWindow.h"

#include <algorithm>
#include <array>

void Playback::FreeCrossFadeOutOthers()
{
    for (BassHandle h : s_.CrossFadeOutOthers) {
        BASS_StreamFree(h);
    }
    s_.CrossFadeOutOthers.clear();
}

void Playback::HoldCrossFadeOut(int fadeMs)
{
    s_.CrossFadeOutHeld.clear();
    if (!s_.lCrossFadingOut) {
        return;
    }
    s_.CrossFadeOutLeftMs = static_cast<int>(std::max<std::int64_t>(0, s_.CrossFadeOutEndMs - clock_.TickCountMs()));
    std::vector<BassHandle> leaving{s_.CrossFadeOutChannel};
    leaving.insert(leaving.end(), s_.CrossFadeOutOthers.begin(), s_.CrossFadeOutOthers.end());
    for (BassHandle h : leaving) {
        int volume = 0;
        if (!BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr)) {
            continue;
        }
        // Setting the level ends the slide there; a pause fade takes it down with the table.
        BASS_ChannelSetAttributes(h, -1, volume, -101);
        if (fadeMs > 0) {
            BASS_ChannelSlideAttributes(h, -1, 0, -101, static_cast<std::uint32_t>(fadeMs));
        }
        s_.CrossFadeOutHeld.emplace_back(h, volume);
    }
}

void Playback::PauseCrossFadeOut()
{
    for (const auto& [h, volume] : s_.CrossFadeOutHeld) {
        BASS_ChannelPause(h);
    }
}

void Playback::ResumeCrossFadeOut()
{
    if (s_.CrossFadeOutHeld.empty()) {
        return;
    }
    if (s_.lCrossFadingOut) {
        for (const auto& [h, volume] : s_.CrossFadeOutHeld) {
            BASS_ChannelPlay(h, false);
            BASS_ChannelSetAttributes(h, -1, volume, -101);
            BASS_ChannelSlideAttributes(h, -1, -2, -101, static_cast<std::uint32_t>(s_.CrossFadeOutLeftMs));
        }
        s_.CrossFadeOutEndMs = clock_.TickCountMs() + s_.CrossFadeOutLeftMs;
        // The new sound comes back at its full level: its rise is over, and ending it by its slide
        // would cut the old sounds short of the fade they have left.
        if (s_.lCrossFadingIn) {
            s_.lCrossFadingIn = false;
            tracer_.WriteTracer(QStringLiteral("lCrossFadingIn is False"));
        }
    }
    s_.CrossFadeOutHeld.clear();
}

bool Playback::CrossFadeInExecute()
{
    return Guarded(QStringLiteral("CrossFadeInExecute"), [&] {
        if (!s_.Playing) {
            return true;
        }
        const BassHandle h = s_.CurrentChannel;
        tracer_.WriteTracer(QStringLiteral("CrossFadeIn Execute - Channel ") + QString::number(h));
        s_.lCrossFadingIn = true;
        s_.CrossFadeInChannel = h;
        s_.CrossFadeInMs = FadeMs(set_.CrossFadeSec);
        win_.SetDisplayInterval(250);
        if (BASS_ChannelIsActive(h) == BassActiveStopped) {
            tracer_.WriteTracer(QStringLiteral("CrossFadeInExecute - Channel not active - ") + QString::number(h));
            BASS_StreamFree(h);
            s_.lCrossFadingIn = false;
            return true;
        }
        s_.FadeInTarget = s_.lVoiceOver ? set_.VoiceOverVolume : s_.CurrentVolume;
        if (!BASS_ChannelSetAttributes(h, -1, 0, -101)) {
            BassErrorFunction(QStringLiteral("CrossFadeInExecuteA"), tracer_, dialogs_);
        }
        if (!BASS_ChannelSlideAttributes(h, -1, s_.FadeInTarget, -101, static_cast<std::uint32_t>(s_.CrossFadeInMs))) {
            BassErrorFunction(QStringLiteral("CrossFadeInExecuteB"), tracer_, dialogs_);
        }
        return true;
    });
}

bool Playback::IsCrossFadeInOver()
{
    return Guarded(QStringLiteral("IsCrossFadeInOver"), [&] {
        if (BASS_ChannelIsSliding(s_.CrossFadeInChannel) == BassSlidingVolume) {
            return false;
        }
        tracer_.WriteTracer(QStringLiteral("Bass Cross Fade In Slide Over - Channel ") +
                            QString::number(s_.CrossFadeInChannel));
        s_.lCrossFadingIn = false;
        tracer_.WriteTracer(QStringLiteral("lCrossFadingIn is False"));
        if (s_.lCrossFadingOut) {
            BASS_StreamFree(s_.CrossFadeOutChannel);
            FreeCrossFadeOutOthers();
            tracer_.WriteTracer(QStringLiteral("Bass Cross Fade Out Slide Over - Channel ") +
                                QString::number(s_.CrossFadeOutChannel));
            s_.lCrossFadingOut = false;
            tracer_.WriteTracer(QStringLiteral("lCrossFadingOut is False"));
        }
        EndingRule(FadeFamily::CrossFade);
        return true;
    });
}

bool Playback::CrossFadeInStopIt()
{
    return Guarded(QStringLiteral("CrossFadeInStopIt"), [&] {
        tracer_.WriteTracer(QStringLiteral("CrossFadeInStopIt - Channel ") + QString::number(s_.CrossFadeInChannel));
        BASS_StreamFree(s_.CrossFadeInChannel);
        s_.lCrossFadingIn = false;
        EndingRule(FadeFamily::CrossFade);
        return true;
    });
}

bool Playback::CrossFadeOutExecute()
{
    return Guarded(QStringLiteral("CrossFadeOutExecute"), [&] {
        const BassHandle h = s_.CurrentChannel;
        tracer_.WriteTracer(QStringLiteral("CrossFadeOutExecute - Channel ") + QString::number(h));
        // Everything that sounds now slides out: the current sound, every other occupied slot and an
        // older cross fade still under way, so none is left playing outside the table.
        std::vector<BassHandle> leaving{h};
        if (s_.lCrossFadingOut) {
            leaving.push_back(s_.CrossFadeOutChannel);
        }
        leaving.insert(leaving.end(), s_.CrossFadeOutOthers.begin(), s_.CrossFadeOutOthers.end());
        s_.CrossFadeOutOthers.clear();
        // The sounds leave the table here, so this is where each of them has ended for the cue.
        std::vector<std::array<int, 3>> ended;
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (s_.ChannelArray[n] != 0) {
                leaving.push_back(s_.ChannelArray[n]);
                ended.push_back({s_.ChannelGroup[n], s_.ChannelPage[n], s_.ChannelButton[n]});
                if (s_.ChannelButton[n] != sel_.PlayingButton || s_.ChannelGroup[n] != sel_.PlayingGroup ||
                    s_.ChannelPage[n] != sel_.PlayingPage) {
                    MarkPlayed(s_.ChannelGroup[n], s_.ChannelPage[n], s_.ChannelButton[n]);
                }
            }
        }
        s_.lCrossFadingOut = true;
        s_.CrossFadeOutChannel = 0;
        tracer_.WriteTracer(QStringLiteral("CrossFadeOutExecute - ChannelArray cleared"));
        s_.ChannelArray.fill(0);
        s_.CrossFadeOutMs = FadeMs(set_.CrossFadeSec);
        s_.CrossFadeOutEndMs = clock_.TickCountMs() + s_.CrossFadeOutMs;
        win_.SetDisplayInterval(250);
        std::vector<BassHandle> seen;
        for (BassHandle each : leaving) {
            if (each == 0 || std::find(seen.begin(), seen.end(), each) != seen.end()) {
                continue;
            }
            seen.push_back(each);
            if (BASS_ChannelIsActive(each) == BassActiveStopped) {
                if (each == h) {
                    tracer_.WriteTracer(QStringLiteral("CrossFadeOutExecute - Channel not active - ") +
                                        QString::number(h));
                }
                BASS_StreamFree(each);
                continue;
            }
            if (!BASS_ChannelSlideAttributes(each, -1, -2, -101, static_cast<std::uint32_t>(s_.CrossFadeOutMs))) {
                ChannelErrorFunction(QStringLiteral("CrossFadeOutExecute"), tracer_, dialogs_);
            }
            if (each == h) {
                tracer_.WriteTracer(QStringLiteral("CrossFadeOutExecute - ChannelSlideAttribute - ") +
                                    QString::number(h));
            }
            if (s_.CrossFadeOutChannel == 0) {
                s_.CrossFadeOutChannel = each;
            } else {
                s_.CrossFadeOutOthers.push_back(each);
            }
        }
        if (s_.CrossFadeOutChannel == 0) {
            s_.lCrossFadingOut = false;
        }
        const int b = sel_.PlayingButton;
        if (b >= 1) {
            MarkPlayed(sel_.PlayingGroup, sel_.PlayingPage, b);
            if (OnDisplay(sel_.PlayingGroup, sel_.PlayingPage)) {
                win_.SetSoundButtonColor(b, set_.ButtonColor);
            }
        }
        // After the marks: a cue entry deleted on its end must not be painted played again.
        for (const auto& address : ended) {
            EndCueEntry(address[0], address[1], address[2]);
        }
        return true;
    });
}

bool Playback::IsCrossFadeOutOver()
{
    return Guarded(QStringLiteral("IsCrossFadeOutOver"), [&] {
        if (BASS_ChannelIsSliding(s_.CrossFadeOutChannel) == BassSlidingVolume) {
            return false;
        }
        BASS_StreamFree(s_.CrossFadeOutChannel);
        FreeCrossFadeOutOthers();
        tracer_.WriteTracer(QStringLiteral("Bass Cross Fade Out Slide Over - Channel ") +
                            QString::number(s_.CrossFadeOutChannel));
        s_.lCrossFadingOut = false;
        tracer_.WriteTracer(QStringLiteral("lCrossFadingOut is False"));
        EndingRule(FadeFamily::CrossFade);
        return true;
    });
}

bool Playback::CrossFadeOutStopIt()
{
    return Guarded(QStringLiteral("CrossFadeOutStopIt"), [&] {
        tracer_.WriteTracer(QStringLiteral("CrossFadeOutStopIt -  Channel ") +
                            QString::number(s_.CrossFadeOutChannel));
        s_.lCrossFadingOut = false;
        BASS_StreamFree(s_.CrossFadeOutChannel);
        FreeCrossFadeOutOthers();
        EndingRule(FadeFamily::CrossFade);
        return true;
    });
}

bool Playback::CheckCrossFadeOutOver()
{
    return Guarded(QStringLiteral("CheckCrossFadeOutOver"), [&] {
        tracer_.WriteTracer(QStringLiteral("CheckCrossFadeOutOver"));
        if (!s_.lCrossFadingOut) {
            return true;
        }
        const auto startsBefore = s_.StartCount;
        if (!BusyWait([this] { return IsCrossFadeOutOver(); }, s_.CrossFadeOutMs)) {
            // The slide did not end in time: end it here rather than leave it outside the table.
            CrossFadeOutStopIt();
        }
        if (s_.StartCount != startsBefore) {
            return true;
        }
        win_.SetDisplayInterval(s_.lVoiceOver && set_.VoiceOverBlink ? 250 : 1000);
        win_.SetModeButtonColor(ModeButton::CrossFade, set_.ActiveButtonColor);
        s_.lSoundTimer = false;
        win_.ResetTimeDisplays();
        return true;
    });
}
