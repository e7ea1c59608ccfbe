#include "playback/ProgressionTimerHandler.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
// Clears a flag when the scope ends, also when a failure leaves it early.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

int BarPosition(std::int64_t position, std::int64_t length)
{
    // A custom end at or before the custom start leaves nothing to show progress through.
    if (length <= 0) {
        return 0;
    }
    const double percent = static_cast<double>(position) * 100.0 / static_cast<double>(length);
    return std::clamp(RoundHalfEven(percent), 0, 100);
}
} // namespace

ProgressionTimerHandler::ProgressionTimerHandler(const PlaybackContext& context, Playback& playback,
                                                 ProgressionWindow& view)
    : s_(context.state), board_(context.board), sel_(context.selection), set_(context.settings),
      tracer_(context.tracer), log_(context.playLog), dialogs_(context.dialogs), pump_(context.pump),
      clock_(context.clock), win_(context.window), play_(playback), view_(view), meters_(view)
{}

void ProgressionTimerHandler::ShowError()
{
    // The box is modal and ticks go on under it: one box at a time is enough.
    if (errorShowing_) {
        return;
    }
    FlagScope showing(errorShowing_);
    dialogs_.MessageDlg(QStringLiteral("Error in ProgressiontimerAdvance\r "), mtError, mbOK);
}

void ProgressionTimerHandler::ProgressionTimerAdvance()
{
    const bool nested = ticking_ || s_.BusyWaitDepth > 0;
    try {
        if (nested) {
            PollOnly();
            return;
        }
        FlagScope ticking(ticking_);
        Tick();
    } catch (const std::exception&) {
        ShowError();
    }
}

void ProgressionTimerHandler::ProgressionDutyAdvance()
{
    if (ticking_ || s_.BusyWaitDepth > 0) {
        return;
    }
    try {
        FlagScope ticking(ticking_);
        FlagScope dutyOnly(dutyOnly_);
        Tick();
    } catch (const std::exception&) {
        ShowError();
    }
}

int ProgressionTimerHandler::MsToNextDuty() const
{
    if (!s_.Playing || s_.Paused || BASS_ChannelIsActive(s_.CurrentChannel) != BassActivePlaying) {
        return -1;
    }
    const std::int64_t position = BASS_ChannelGetPosition(s_.CurrentChannel);
    std::int64_t end = BASS_ChannelGetLength(s_.CurrentChannel);
    if (position < 0 || end < 0) {
        return -1;
    }
    const Address playing = PlayingAddress();
    if (!set_.MultiPlay && HasCustomCue(playing) &&
        board_.ButtonCueEnd[playing.group][playing.page][playing.button] > 0) {
        end = std::min(end, play_.CueBytes(board_.ButtonCueEnd[playing.group][playing.page][playing.button]));
    }
    const double seconds = BASS_ChannelBytes2Seconds(s_.CurrentChannel, std::max<std::int64_t>(0, end - position));
    return seconds < 0 ? -1 : static_cast<int>(std::ceil(seconds * 1000.0));
}

void ProgressionTimerHandler::FallMeters()
{
    if (!dutyOnly_) {
        metersMoving_ = meters_.FallBoth();
    }
}

void ProgressionTimerHandler::Tick()
{
    if (s_.Paused || !s_.Playing) {
        FallMeters();
        return;
    }
    PollSlides();
    if (AutoCrossFade() || AutoFadeOut()) {
        return;
    }
    play_.StopChannel();
    if (AnySlotTaken() || BASS_ChannelIsActive(s_.CurrentChannel) != BassActiveStopped) {
        FollowPlayingChannel();
        return;
    }
    EndOfSound();
}

void ProgressionTimerHandler::PollOnly()
{
    if (s_.Paused || !s_.Playing) {
        // Drawn even inside a duty tick's wait: this tick is the display's.
        metersMoving_ = meters_.FallBoth();
        return;
    }
    PollSlides();
    if (BASS_ChannelIsActive(s_.CurrentChannel) == BassActivePlaying) {
        meters_.ShowLevel(BASS_ChannelGetLevel(s_.CurrentChannel), s_.CurrentVolume,
                          view_.MasterSliderValue());
    }
}

void ProgressionTimerHandler::PollSlides()
{
    // The resume's fade-in is watched by the pause's own wait over every slot.
    if (s_.lFadingIn && !s_.PauseFadeInRunning) {
        play_.IsFadeInOver();
    }
    if (s_.lCrossFadingIn) {
        play_.IsCrossFadeInOver();
    }
    if (s_.lCrossFadingOut && play_.IsCrossFadeOutOver()) {
        tracer_.WriteTracer(QStringLiteral("Bass CrossFade Slide Over fade out"));
    }
}

void ProgressionTimerHandler::FollowPlayingChannel()
{
    const Address playing = PlayingAddress();
    const bool customCue = HasCustomCue(playing);
    if (set_.MultiPlay) {
        play_.MultiPlayEndPoints();
    } else if (customCue && board_.ButtonCueEnd[playing.group][playing.page][playing.button] > 0) {
        s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
        if (s_.PlayPosition >
            play_.CueBytes(board_.ButtonCueEnd[playing.group][playing.page][playing.button])) {
            // The next ticks free the slot and end the sound.
            BASS_ChannelStop(s_.CurrentChannel);
        }
    }
    if (!dutyOnly_ && BASS_ChannelIsActive(s_.CurrentChannel) == BassActivePlaying) {
        ShowProgress(customCue, playing);
        meters_.ShowLevel(BASS_ChannelGetLevel(s_.CurrentChannel), s_.CurrentVolume,
                          view_.MasterSliderValue());
        metersMoving_ = true;
    }
    if (!s_.Playing) {
        FallMeters();
    }
}

void ProgressionTimerHandler::ShowProgress(bool customCue, const Address& playing)
{
    std::int64_t length = BASS_ChannelGetLength(s_.CurrentChannel);
    if (length == -1) {
        ChannelErrorFunction(QStringLiteral("TimerContinueA"), tracer_, dialogs_);
    } else if (customCue && !set_.MultiPlay) {
        const std::int64_t start =
            play_.CueBytes(board_.ButtonCueStart[playing.group][playing.page][playing.button]);
        const std::int64_t end =
            play_.CueBytes(board_.ButtonCueEnd[playing.group][playing.page][playing.button]);
        length = end < 1 ? length - start : end - start;
    } else if (!customCue) {
        play_.RefineDuration(playing.group, playing.page, playing.button, length);
    }
    s_.PlayLength = length;
    std::int64_t position = BASS_ChannelGetPosition(s_.CurrentChannel);
    if (position == -1) {
        ChannelErrorFunction(QStringLiteral("TimerContinueB"), tracer_, dialogs_);
    } else if (customCue) {
        position -= play_.CueBytes(board_.ButtonCueStart[playing.group][playing.page][playing.button]);
    }
    s_.PlayPosition = position == 0 ? 1 : position;
    if (!s_.AdvanceBarDragging) {
        win_.SetAdvanceBar(BarPosition(s_.PlayPosition, s_.PlayLength));
    }
}

void ProgressionTimerHandler::EndOfSound()
{
    tracer_.WriteTracer(QStringLiteral("ProgressionTimerAdvance - channel not active ") +
                        QString::number(s_.CurrentChannel));
    tracer_.WriteTracer(QStringLiteral("Bass Channel is no longer active"));
    // The stop may reset the playing button; the replay needs the one that ended.
    const Address ended = PlayingAddress();
    const bool stoppedByClick = s_.StoppedByClick;
    s_.StoppedByClick = false;
    if (!play_.StopProcess(QStringLiteral("EndSound"))) {
        // A click inside the stop's pump started or stopped a sound: that settles what plays.
        return;
    }
    if (stoppedByClick) {
        return;
    }
    if (!s_.PlayListRunning && !s_.lHKPlaying && s_.LoopMode) {
        LoopReplay(ended);
        return;
    }
    if (!RapidFireShown() && s_.PlayListRunning && PagePlayOn(sel_.PlayingGroup, sel_.PlayingPage) &&
        !s_.lHKPlaying) {
        play_.PlayList();
    }
}

bool ProgressionTimerHandler::RapidFireShown() const
{
    // On a rapid-fire page the list waits for Next or the space bar, whatever ended the sound.
    return Board::IsValidAddress(sel_.CurrentGroup, sel_.CurrentPage, 1) &&
           board_.RapidFire[sel_.CurrentGroup][sel_.CurrentPage] == QStringLiteral("T");
}

void ProgressionTimerHandler::LoopReplay(const Address& ended)
{
    // Only the button that just ended, and only while it is the one on display: after a page
    // change the current button is another sound (or a page number) and must not start.
    const bool same = Board::IsValidAddress(ended.group, ended.page, ended.button) &&
                      ended.group == sel_.CurrentGroup && ended.page == sel_.CurrentPage &&
                      ended.button == sel_.CurrentButton;
    if (!same) {
        tracer_.WriteTracer(QStringLiteral("Loop replay skipped - the ended sound is not on display"));
        return;
    }
    play_.ProcessSoundButton(ended.button);
}

ProgressionTimerHandler::Address ProgressionTimerHandler::PlayingAddress() const
{
    return Address{sel_.PlayingGroup, sel_.PlayingPage, sel_.PlayingButton};
}

bool ProgressionTimerHandler::HasCustomCue(const Address& at) const
{
    return Board::IsValidAddress(at.group, at.page, at.button) &&
           board_.ButtonCustomCue[at.group][at.page][at.button] == QStringLiteral("Y");
}

bool ProgressionTimerHandler::PagePlayOn(int group, int page) const
{
    return Board::IsValidAddress(group, page, 1) && board_.PagePlay[group][page] == QStringLiteral("T");
}

bool ProgressionTimerHandler::AnySlotTaken() const
{
    return std::any_of(s_.ChannelArray.begin() + 1, s_.ChannelArray.end(),
                       [](BassHandle h) { return h != 0; });
}
