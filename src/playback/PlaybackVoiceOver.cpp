// Voice-over ("Talk") ducking and the manual-control cursor over the 48 buttons.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

namespace {
constexpr TColor CuedPanelColor = static_cast<TColor>(0x02FF9B37);

// The panel colour a state shows on the board; false for codes that have none of their own.
bool StateColor(int state, TColor& color)
{
    switch (state) {
    case bstUnplayed:
    case bstNeutral: color = clBtnFace; return true;
    case bstPlayed:
    case bstHighlightedPlayed: color = clRed; return true;
    case bstPlaying:
    case bstHighlightedPlaying: color = clLime; return true;
    case bstLocked: color = clYellow; return true;
    case bstHighlighted: color = clAqua; return true;
    case bstPlaceMarker: color = clBlack; return true;
    case bstFileMissing: color = clFuchsia; return true;
    case bstCued: color = CuedPanelColor; return true;
    default: return false;
    }
}

// One step of the cursor with the board's wrapping: +1 runs on row by row, +6 and -6 run down
// and up the columns and continue in the next or previous column.
int StepCursor(int position, int step)
{
    int next = position + step;
    if (next > ButtonCount) {
        next = step == 1 ? next - 48 : (next == 54 ? 1 : next - 47);
    } else if (next < 1) {
        next = step == -1 ? next + 48 : (next == -5 ? 48 : next + 47);
    }
    return next;
}
} // namespace

bool Playback::VoiceOver()
{
    return Guarded(QStringLiteral("VoiceOver"), [&] {
        win_.FocusDummy();
        if (board_.EditMode) {
            return true;
        }
        tracer_.WriteTracer(QStringLiteral("VoiceOver"));
        if (s_.lVoiceOver) {
            win_.SetModeButtonColor(ModeButton::VoiceOver, set_.ButtonColor);
            tracer_.WriteTracer(QStringLiteral("Voice Over - Fading In"));
            s_.lVoiceOver = false;
            if (set_.VoiceOverBlink) {
                win_.SetDisplayInterval(1000);
            }
            if (!s_.lFadingOut && s_.Playing) {
                for (int n = 1; n <= ChannelSlots; ++n) {
                    if (s_.ChannelArray[n] != 0 &&
                        !BASS_ChannelSlideAttributes(s_.ChannelArray[n], -1, s_.ChannelVolume[n], -101,
                                                     static_cast<std::uint32_t>(set_.VoiceOverMs))) {
                        ChannelErrorFunction(QStringLiteral("VoiceOverA"), tracer_, dialogs_);
                    }
                }
            }
            return true;
        }
        if (s_.lFadingOut) {
            return true;
        }
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (s_.ChannelArray[n] != 0) {
                // A sound still rising returns to the level it was rising to.
                const bool rising = (s_.lFadingIn && !s_.PauseFadeInRunning && s_.ChannelArray[n] == s_.FadeInChannel) ||
                                    (s_.lCrossFadingIn && s_.ChannelArray[n] == s_.CrossFadeInChannel);
                if (!rising) {
                    s_.ChannelVolume[n] = TargetVolume(n);
                }
            }
        }
        win_.SetModeButtonColor(ModeButton::VoiceOver, set_.ActiveButtonColor);
        s_.lVoiceOver = true;
        tracer_.WriteTracer(QStringLiteral("Voice Over - Fading Down Channel ") + QString::number(s_.CurrentChannel));
        if (set_.VoiceOverBlink) {
            win_.SetDisplayInterval(250);
        }
        if (s_.Playing) {
            for (int n = 1; n <= ChannelSlots; ++n) {
                if (s_.ChannelArray[n] != 0 &&
                    !BASS_ChannelSlideAttributes(s_.ChannelArray[n], -1, set_.VoiceOverVolume, -101,
                                                 static_cast<std::uint32_t>(set_.VoiceOverMs))) {
                    ChannelErrorFunction(QStringLiteral("VoiceOverB"), tracer_, dialogs_);
                }
            }
            tracer_.WriteTracer(QStringLiteral("Voice Over - Fading Down Volume ") +
                                QString::number(set_.VoiceOverVolume));
        }
        return true;
    });
}

bool Playback::ManualControl(int step)
{
    return Guarded(QStringLiteral("ManualControl"), [&] {
        win_.FocusDummy();
        tracer_.WriteTracer(QStringLiteral("Manual Control On"));
        if (!s_.ManualControlMode) {
            s_.ManualControlMode = true;
            s_.ManualControlButton = 0;
        }
        const int g = sel_.CurrentGroup;
        const int p = sel_.CurrentPage;
        auto qualifies = [&](int n) {
            const TColor panel = win_.PanelColor(n);
            return panel != clYellow && panel != clBlack && !Board::IsBlank(win_.SoundButtonCaption(n));
        };
        int cursor = s_.ManualControlButton;
        if (cursor >= 1 && cursor <= ButtonCount && !Board::IsBlank(win_.SoundButtonCaption(cursor))) {
            TColor color = clBtnFace;
            if (StateColor(board_.ButtonState[g][p][cursor], color)) {
                win_.SetPanelColor(cursor, color);
            }
        }
        if (cursor >= 1 && cursor <= ButtonCount) {
            // One full pass at most: on a page where nothing qualifies the cursor stays put.
            int next = cursor;
            for (int tries = 0; tries < ButtonCount; ++tries) {
                next = StepCursor(next, step);
                if (qualifies(next)) {
                    cursor = next;
                    break;
                }
            }
        } else {
            cursor = 0;
            for (int n = 1; n <= ButtonCount && cursor == 0; ++n) {
                if (qualifies(n)) {
                    cursor = n;
                }
            }
            if (cursor == 0) {
                return true;
            }
        }
        win_.SetPanelColor(cursor, clInfoBk);
        s_.ManualControlButton = cursor;
        return true;
    });
}
