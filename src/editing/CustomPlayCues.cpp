// Setting, resetting and fine-tuning the start cue and the end point. A refused value leaves the
// dialog open and consistent: the cue unset again, or clamped next to the other one.
#include "controls/ButtonWithColor.h"
#include "controls/SlideBar.h"
#include "editing/TfrmCustomPlay.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

std::int32_t Clamp32(std::int64_t value)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void TfrmCustomPlay::PaintCueButton(TBitBtnWithColor* button, bool set)
{
    button->SetColor(set ? clRed : clLime);
}

void TfrmCustomPlay::StopForCueError()
{
    if (CurrentChannel != 0) {
        BASS_ChannelStop(CurrentChannel);
    }
    CustomPlayTimer->stop();
    CustomPlayPlaying = CustomPlayPreviewing = CustomPlayPaused = false;
    ClearDisplayPosition();
}

void TfrmCustomPlay::SetStartButtonClick()
{
    if (StartCueSet) {
        return;
    }
    StartCueSet = true;
    CustomPlayStart = Clamp32(PlayPosition);
    SetStart->setText(FormatByteCount(CustomPlayStart));
    PaintCueButton(SetStartButton, true);
    if (CustomPlayEnd > 0 && CustomPlayStart >= CustomPlayEnd) {
        StopForCueError();
        ctx_.dialogs.MessageDlg(QStringLiteral("Start Cue cannot be equal to or greater than End Point"),
                                mtError, mbOK);
        CustomPlayStart = 0;
        StartCueSet = false;
        PaintCueButton(SetStartButton, false);
        SetStart->setText(QStringLiteral("0"));
    }
}

void TfrmCustomPlay::SetEndButtonClick()
{
    if (EndPointSet) {
        return;
    }
    EndPointSet = true;
    CustomPlayEnd = Clamp32(PlayPosition);
    SetEnd->setText(FormatByteCount(CustomPlayEnd));
    PaintCueButton(SetEndButton, true);
    if (CustomPlayEnd != 0 && CustomPlayEnd <= CustomPlayStart) {
        StopForCueError();
        ctx_.dialogs.MessageDlg(QStringLiteral("End Point cannot be less than or equal to Start Cue"),
                                mtError, mbOK);
        CustomPlayEnd = 0;
        EndPointSet = false;
        PaintCueButton(SetEndButton, false);
        SetEnd->setText(QStringLiteral("0"));
    }
}

void TfrmCustomPlay::ResetStartButtonClick()
{
    CustomPlayStart = 0;
    StartCueSet = false;
    PaintCueButton(SetStartButton, false);
    SetStart->setText(QStringLiteral("0"));
    // The stream plays on; only the display goes back to the start.
    ClearDisplayPosition();
}

void TfrmCustomPlay::ResetEndButtonClick()
{
    CustomPlayEnd = 0;
    EndPointSet = false;
    PaintCueButton(SetEndButton, false);
    SetEnd->setText(QStringLiteral("0"));
    ClearDisplayPosition();
}

void TfrmCustomPlay::StartSpinButtonDownClick()
{
    CustomPlayStart = Clamp32(std::int64_t(CustomPlayStart) - CustomPlayStep);
    SetStart->setText(FormatByteCount(CustomPlayStart));
}

void TfrmCustomPlay::StartSpinButtonUpClick()
{
    StartCueSet = true;
    CustomPlayStart = Clamp32(std::int64_t(CustomPlayStart) + CustomPlayStep);
    if (CustomPlayEnd > 0 && CustomPlayStart >= CustomPlayEnd) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Start Cue cannot be equal to or greater than End Point"),
                                mtError, mbOK);
        CustomPlayStart = CustomPlayEnd - 1;
    }
    SetStart->setText(FormatByteCount(CustomPlayStart));
    PaintCueButton(SetStartButton, true);
}

void TfrmCustomPlay::EndSpinButtonDownClick()
{
    if (!EndPointSet) {
        return;
    }
    // Never below 0: a negative end would read as "no end point" yet show a negative count.
    CustomPlayEnd = Clamp32(std::int64_t(CustomPlayEnd) - CustomPlayStep);
    if (CustomPlayEnd > 0 && CustomPlayEnd <= CustomPlayStart) {
        ctx_.dialogs.MessageDlg(QStringLiteral("End Point cannot be equal to or less than Start Cue"),
                                mtError, mbOK);
        CustomPlayEnd = Clamp32(std::int64_t(CustomPlayStart) + 1);
    }
    SetEnd->setText(FormatByteCount(CustomPlayEnd));
}

void TfrmCustomPlay::EndSpinButtonUpClick()
{
    if (!EndPointSet) {
        return;
    }
    CustomPlayEnd = Clamp32(std::int64_t(CustomPlayEnd) + CustomPlayStep);
    SetEnd->setText(FormatByteCount(CustomPlayEnd));
}

void TfrmCustomPlay::FineTuneClick(int step)
{
    CustomPlayStep = step;
}
