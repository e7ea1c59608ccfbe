// Play, Preview, Pause and Stop of the custom cue editor, its 10 ms display timer and the
// position bar.
#include "board/TimeText.h"
#include "controls/ClickLabel.h"
#include "controls/SlideBar.h"
#include "controls/zShapeBtn.h"
#include "editing/TfrmCustomPlay.h"
#include "platform/Rounding.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <exception>

int TfrmCustomPlay::PercentOf(std::int64_t bytes, std::int64_t length) const
{
    if (length <= 0) {
        return 0;
    }
    return static_cast<int>(
        RoundHalfEven64(static_cast<double>(bytes) * 100.0 / static_cast<double>(length)));
}

void TfrmCustomPlay::ShowPositionTime(std::int64_t bytes)
{
    const double seconds = CurrentChannel != 0 ? BASS_ChannelBytes2Seconds(CurrentChannel, bytes) : 0.0;
    CustomPlayTime->setText(
        ConvertTime(seconds > 0 ? RoundHalfEven(seconds) : 0, QStringLiteral("HH:MM:SS")));
}

void TfrmCustomPlay::FollowUnsetCues(std::int64_t bytes)
{
    if (!StartCueSet) {
        SetStart->setText(FormatByteCount(bytes));
    }
    if (!EndPointSet) {
        SetEnd->setText(FormatByteCount(bytes));
    }
}

void TfrmCustomPlay::ClearDisplayPosition()
{
    CustomPlayProgressBar->SetValue(0);
    PanPosition->setText(QStringLiteral("0"));
    CustomPlayTime->setText(QStringLiteral("00:00"));
    PlayPosition = 0;
}

void TfrmCustomPlay::ShowPauseFace(bool visible)
{
    pauseFaceShown_ = visible;
    CustomPlayPauseButton->SetColor(visible ? clYellow : clBtnFace);
    PauseLabel->setVisible(visible);
}

void TfrmCustomPlay::RestartStream(std::int64_t from)
{
    if (CustomPlayPlaying || CustomPlayPreviewing) {
        CustomPlayPlaying = CustomPlayPreviewing = false;
        BASS_ChannelStop(CurrentChannel);
    }
    CustomPlayTimer->setInterval(10);
    CustomPlayTimer->start();
    BASS_ChannelSetPosition(CurrentChannel, from);
    BASS_ChannelPlay(CurrentChannel, false);
}

void TfrmCustomPlay::CustomPlayPlayButtonClick()
{
    if (CustomPlayPaused || CurrentChannel == 0) {
        return;
    }
    PlayPosition = 0;
    const std::int64_t from = CustomPlaySeek;
    RestartStream(from);
    CustomPlayPlaying = true;
}

void TfrmCustomPlay::CustomPlayPreviewButtonClick()
{
    if (CustomPlayPaused || CurrentChannel == 0) {
        return;
    }
    RestartStream(CustomPlayStart);
    CustomPlayPreviewing = true;
}

void TfrmCustomPlay::CustomPlayPauseButtonClick()
{
    if (CurrentChannel == 0) {
        return;
    }
    if (CustomPlayPaused) {
        BASS_ChannelPlay(CurrentChannel, false);
        CustomPlayPaused = false;
        CustomPlayTimer->setInterval(10);
        ShowPauseFace(true);
        return;
    }
    // Only a sound under way can pause; idle, the button has nothing to hold.
    if (!CustomPlayPlaying && !CustomPlayPreviewing) {
        return;
    }
    CustomPlayPaused = true;
    BASS_ChannelPause(CurrentChannel);
    CustomPlayTimer->setInterval(500);
}

void TfrmCustomPlay::CustomPlayStopButtonClick()
{
    if (CurrentChannel != 0) {
        BASS_ChannelStop(CurrentChannel);
    }
    CustomPlayPaused = false;
    CustomPlayTimer->setInterval(10);
    CustomPlayTimer->stop();
    ShowPauseFace(true);
    CustomPlayPlaying = CustomPlayPreviewing = false;
    ClearDisplayPosition();
    CustomPlayPercent->setText(QStringLiteral("0%"));
    if (!StartCueSet) {
        SetStart->setText(QStringLiteral("0"));
    }
    if (!EndPointSet) {
        SetEnd->setText(QStringLiteral("0"));
    }
}

void TfrmCustomPlay::CustomPlayTimerTimer()
{
    try {
        if (CustomPlayPaused) {
            ShowPauseFace(!pauseFaceShown_);
            return;
        }
        if (CurrentChannel == 0) {
            CustomPlayTimer->stop();
            return;
        }
        PlayPosition = BASS_ChannelGetPosition(CurrentChannel);
        PlayLength = BASS_ChannelGetLength(CurrentChannel);
        PanPosition->setText(FormatByteCount(PlayPosition));
        FollowUnsetCues(PlayPosition);
        if (!CustomPlayDragging) {
            CustomPlayProgressBar->SetValue(PercentOf(PlayPosition, PlayLength));
        }
        ShowPositionTime(PlayPosition);
        CustomPlayPercent->setText(QString::number(CustomPlayProgressBar->Value()) + QStringLiteral("%"));

        if (CustomPlayPreviewing && CustomPlayEnd > 0 && PlayPosition > CustomPlayEnd) {
            CustomPlayTimer->stop();
            CustomPlayPreviewing = false;
            const int startPercent = PercentOf(CustomPlayStart, PlayLength);
            CustomPlayProgressBar->SetValue(startPercent);
            CustomPlayPercent->setText(QString::number(startPercent) + QStringLiteral("%"));
            BASS_ChannelStop(CurrentChannel);
            ClearDisplayPosition();
            CustomPlayPercent->setText(QString::number(startPercent) + QStringLiteral("%"));
        } else if (BASS_ChannelIsActive(CurrentChannel) == BassActiveStopped) {
            CustomPlayTimer->stop();
            CustomPlayPlaying = CustomPlayPreviewing = false;
            ClearDisplayPosition();
            if (!StartCueSet) {
                SetStart->setText(QStringLiteral("0"));
            }
            if (!EndPointSet) {
                SetEnd->setText(QStringLiteral("0"));
            }
        }
    } catch (const std::exception&) {
        CustomPlayTimer->stop();
        ShowError(QStringLiteral("CustomPlayTimer"));
    }
}

void TfrmCustomPlay::CustomPlayProgressBarMouseDown()
{
    CustomPlayDragging = true;
}

void TfrmCustomPlay::CustomPlayProgressBarMouseUp()
{
    CustomPlayDragging = false;
    if (CurrentChannel == 0 || !(CustomPlayPlaying || CustomPlayPreviewing)) {
        return;
    }
    const std::int64_t at =
        RoundHalfEven64(CustomPlayProgressBar->Value() / 100.0 * static_cast<double>(PlayLength));
    BASS_ChannelSetPosition(CurrentChannel, at);
    PlayPosition = BASS_ChannelGetPosition(CurrentChannel);
}

void TfrmCustomPlay::CustomPlayProgressBarChange()
{
    if (CustomPlayPlaying || CustomPlayPreviewing) {
        return;
    }
    const int value = CustomPlayProgressBar->Value();
    const std::int64_t at = RoundHalfEven64(value / 100.0 * static_cast<double>(LengthBytes));
    PanPosition->setText(FormatByteCount(at));
    CustomPlaySeek = at;
    PlayPosition = at;
    CustomPlayPercent->setText(QString::number(value) + QStringLiteral("%"));
    FollowUnsetCues(at);
    ShowPositionTime(at);
}

void TfrmCustomPlay::CustomPlayVolumeChange()
{
    // The bar is the preview's output level. It is reached through the preview's own volume,
    // scaled against the master volume, so a show sound that plays meanwhile keeps its level.
    if (CurrentChannel == 0) {
        return;
    }
    const int master = BASS_GetVolume();
    const int bar = CustomPlayVolume->Value();
    const int volume = master > 0 ? std::clamp(RoundHalfEven(bar * 100.0 / master), 0, 100) : bar;
    BASS_ChannelSetAttributes(CurrentChannel, -1, volume, -101);
}
