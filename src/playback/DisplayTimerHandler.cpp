#include "playback/DisplayTimerHandler.h"

#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/TimeText.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"
#include "playback/ProgressionWindow.h"

#include <algorithm>
#include <exception>

DisplayTimerHandler::DisplayTimerHandler(const PlaybackContext& context, ProgressionWindow& view)
    : s_(context.state), board_(context.board), sel_(context.selection), set_(context.settings),
      tracer_(context.tracer), log_(context.playLog), dialogs_(context.dialogs), win_(context.window),
      view_(view)
{}

void DisplayTimerHandler::DisplayTimerAdvance()
{
    try {
        Tick();
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in DisplayTimerAdvance\r "), mtError, mbOK);
    }
}

void DisplayTimerHandler::Tick()
{
    if (s_.lFadingOut) {
        Blink(ModeButton::FadeOut);
    }
    if (s_.lFadingIn) {
        Blink(ModeButton::FadeIn);
    }
    if (s_.lCrossFadingIn || s_.lCrossFadingOut) {
        Blink(ModeButton::CrossFade);
    }
    if (s_.lVoiceOver && set_.VoiceOverBlink) {
        Blink(ModeButton::VoiceOver);
    }
    if (s_.Paused) {
        Blink(ModeButton::Pause);
        BlinkPausedPanel();
        return;
    }
    if (s_.lSoundTimer) {
        ShowTimes();
    }
}

void DisplayTimerHandler::Blink(ModeButton button)
{
    const bool plain = view_.ModeButtonColor(button) == set_.ButtonColor;
    win_.SetModeButtonColor(button, plain ? set_.ActiveButtonColor : set_.ButtonColor);
}

void DisplayTimerHandler::BlinkPausedPanel()
{
    const int b = sel_.PlayingButton;
    if (set_.MultiPlay || b < 1 || b > ButtonCount || sel_.PlayingGroup != sel_.CurrentGroup ||
        sel_.PlayingPage != sel_.CurrentPage) {
        return;
    }
    win_.SetPanelColor(b, win_.PanelColor(b) == clLime ? clBtnFace : clLime);
}

std::int64_t DisplayTimerHandler::ElapsedBytes(std::int64_t position) const
{
    // The sound that plays (the hot key's button for a hot-key sound) decides; the button last
    // touched on the shown page may be another one, or a page number after a page change.
    const int g = sel_.PlayingGroup;
    const int p = sel_.PlayingPage;
    const int b = sel_.PlayingButton;
    if (set_.MultiPlay || !Board::IsValidAddress(g, p, b) ||
        board_.ButtonCustomCue[g][p][b] != QStringLiteral("Y")) {
        return position;
    }
    const std::int64_t start = board_.ButtonCueStart[g][p][b];
    return position - (set_.StereoMode ? start : start / 2);
}

void DisplayTimerHandler::ShowTimes()
{
    const std::int64_t position = BASS_ChannelGetPosition(s_.CurrentChannel);
    if (position >= 0) {
        // A channel already freed (the end of a cross fade) keeps the last time shown.
        const double seconds =
            BASS_ChannelBytes2Seconds(s_.CurrentChannel, std::max<std::int64_t>(0, ElapsedBytes(position)));
        if (seconds >= 0) {
            s_.ElapsedSeconds = RoundHalfEven(seconds);
        }
    }
    const QString elapsed = ConvertTime(s_.ElapsedSeconds, QStringLiteral("MM:SS"));
    view_.SetElapsedLabel(elapsed);
    log_.PlayedTimeText = elapsed;
    s_.RemainingSeconds = s_.TotalSeconds - s_.ElapsedSeconds;
    view_.SetRemainingLabel(s_.RemainingSeconds < 0
                                ? QStringLiteral("00:00")
                                : ConvertTime(s_.RemainingSeconds, QStringLiteral("MM:SS")));
    if (s_.RemainingSeconds < 0) {
        tracer_.WriteTracer(QStringLiteral("DisplayTimerAdvance - lSoundTimer set to False"));
        s_.lSoundTimer = false;
    }
}
