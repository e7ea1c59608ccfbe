// The Pause button: every slot pauses together, with optional fades on pause and resume.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

void Playback::PauseButtonClick()
{
    Guarded(QStringLiteral("PauseButtonClick"), [&] {
        win_.FocusDummy();
        const auto startsBefore = s_.StartCount;
        const auto stopsBefore = s_.StopCount;
        // The fade waits pump messages; a stop or a new sound inside one settles the matter, and
        // pausing or lighting the old button afterwards would undo it.
        auto overtaken = [&] { return s_.StartCount != startsBefore || s_.StopCount != stopsBefore; };
        if (!s_.Paused) {
            tracer_.WriteTracer(QStringLiteral("Pause Button Click - Not in Pause Mode"));
            win_.SetModeButtonColor(ModeButton::Pause, set_.ActiveButtonColor);
            for (int n = 1; n <= ChannelSlots; ++n) {
                if (s_.ChannelArray[n] != 0) {
                    s_.ChannelPauseVolume[n] = TargetVolume(n);
                }
            }
            // Only a pause fade is waited for: a cross fade's rise must not hold the pause back.
            if (set_.PauseFadeOut) {
                PauseFadeOutExecute();
                HoldCrossFadeOut(s_.FadeOutMs);
                BusyWait([this] { return IsPauseFadeOutOver(); }, s_.FadeOutMs);
            } else {
                HoldCrossFadeOut(0);
            }
            if (overtaken()) {
                if (!s_.Paused) {
                    win_.SetModeButtonColor(ModeButton::Pause, set_.ButtonColor);
                }
                return true;
            }
            s_.Paused = true;
            for (int n = 1; n <= ChannelSlots; ++n) {
                if (s_.ChannelArray[n] != 0 && !BASS_ChannelPause(s_.ChannelArray[n])) {
                    ChannelErrorFunction(QStringLiteral("PauseButtonClickA"), tracer_, dialogs_);
                }
            }
            PauseCrossFadeOut();
            tracer_.WriteTracer(QStringLiteral("  Player Pause"));
            win_.SetModeButtonColor(ModeButton::Pause, set_.ActiveButtonColor);
            win_.SetDisplayInterval(500);
            return true;
        }
        tracer_.WriteTracer(QStringLiteral("Pause Button Click - In Pause Mode"));
        s_.Paused = false;
        win_.SetModeButtonColor(ModeButton::Pause, set_.ButtonColor);
        tracer_.WriteTracer(QStringLiteral("  Pause Resume"));
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (s_.ChannelArray[n] != 0 && !BASS_ChannelPlay(s_.ChannelArray[n], false)) {
                ChannelErrorFunction(QStringLiteral("PauseButtonClickB"), tracer_, dialogs_);
            }
        }
        ResumeCrossFadeOut();
        if (set_.PauseFadeIn) {
            PauseFadeInExecute();
            BusyWait([this] { return IsPauseFadeInOver(); }, s_.FadeInMs);
            if (overtaken()) {
                return true;
            }
        } else {
            for (int n = 1; n <= ChannelSlots; ++n) {
                if (s_.ChannelArray[n] != 0 &&
                    !BASS_ChannelSetAttributes(s_.ChannelArray[n], -1, s_.ChannelPauseVolume[n], -101)) {
                    ChannelErrorFunction(QStringLiteral("FadeInExecute - Set Volume to zero"), tracer_,
                                         dialogs_);
                }
            }
        }
        win_.SetDisplayInterval(1000);
        if (sel_.PlayingButton >= 1 && OnDisplay(sel_.PlayingGroup, sel_.PlayingPage)) {
            win_.SetPanelColor(sel_.PlayingButton, clLime);
            win_.SetSoundButtonColor(sel_.PlayingButton, clInfoBk);
        }
        return true;
    });
}
