#include "playback/ProgressionMainFormWindow.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "controls/SlideBar.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"

#include <QLabel>

int ProgressionMainFormWindow::NeedleValue(MeterSide side) const
{
    return (side == MeterSide::Left ? form_.LeftMeter : form_.RightMeter)->Value();
}

void ProgressionMainFormWindow::SetNeedleValue(MeterSide side, int value)
{
    (side == MeterSide::Left ? form_.LeftMeter : form_.RightMeter)->SetValue(value);
}

void ProgressionMainFormWindow::SetBarValue(MeterSide side, int value)
{
    (side == MeterSide::Left ? form_.LMeter : form_.RMeter)->SetValue(value);
}

int ProgressionMainFormWindow::MasterSliderValue() const
{
    return form_.VolumeControl->Value();
}

TColor ProgressionMainFormWindow::ModeButtonColor(ModeButton button) const
{
    const TBitBtnWithColor* target = nullptr;
    switch (button) {
    case ModeButton::Pause:
        target = form_.PauseButton;
        break;
    case ModeButton::FadeIn:
        target = form_.FadeInButton;
        break;
    case ModeButton::FadeOut:
        target = form_.FadeOutButton;
        break;
    case ModeButton::CrossFade:
        target = form_.CrossFadeButton;
        break;
    case ModeButton::VoiceOver:
        target = form_.VoiceOverButton;
        break;
    case ModeButton::Loop:
        target = form_.LoopOnButton;
        break;
    case ModeButton::PlayList:
        target = form_.PlayListButton;
        break;
    }
    return target != nullptr ? FaceOf(target) : clBtnFace;
}

void ProgressionMainFormWindow::SetElapsedLabel(const QString& text)
{
    form_.lblTimeElapsed->setText(text);
}

void ProgressionMainFormWindow::SetRemainingLabel(const QString& text)
{
    form_.lblTimeRemaining->setText(text);
}
