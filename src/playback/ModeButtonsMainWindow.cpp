#include "playback/ModeButtonsMainWindow.h"

#include "board/MainFormButtons.h"
#include "controls/ProgressGauge.h"
#include "controls/SlideBar.h"
#include "playback/PlaybackMainForm.h"

#include <QLabel>
#include <QPushButton>

ModeButtonsMainWindow::ModeButtonsMainWindow(PlaybackMainForm& form) : form_(form)
{}

TBitBtnWithColor* ModeButtonsMainWindow::Button(PlayModeButton button) const
{
    switch (button) {
    case PlayModeButton::Shuffle:
        return form_.ShuffleButton;
    case PlayModeButton::PlayList:
        return form_.PlayListButton;
    case PlayModeButton::RapidFire:
        return form_.RapidFireButton;
    case PlayModeButton::CrossFade:
        return form_.CrossFadeButton;
    case PlayModeButton::AutoFade:
        return form_.AutoFadeButton;
    case PlayModeButton::MultiPlay:
        return form_.MultiPlayButton;
    case PlayModeButton::FadeIn:
        return form_.FadeInButton;
    case PlayModeButton::FadeOut:
        return form_.FadeOutButton;
    case PlayModeButton::VoiceOver:
        return form_.VoiceOverButton;
    case PlayModeButton::Pause:
        return form_.PauseButton;
    case PlayModeButton::Loop:
        return form_.LoopOnButton;
    case PlayModeButton::Next:
        return form_.NextButton;
    case PlayModeButton::Cue:
        return form_.CueButton;
    }
    return nullptr;
}

TColor ModeButtonsMainWindow::ModeColor(PlayModeButton button) const
{
    TBitBtnWithColor* target = Button(button);
    return target != nullptr ? FaceOf(target) : clBtnFace;
}

void ModeButtonsMainWindow::SetModeColor(PlayModeButton button, TColor color)
{
    if (TBitBtnWithColor* target = Button(button)) {
        SetFace(target, color);
    }
}

void ModeButtonsMainWindow::SetModeEnabled(PlayModeButton button, bool enabled)
{
    if (TBitBtnWithColor* target = Button(button)) {
        AsPushButton(target)->setEnabled(enabled);
    }
}

void ModeButtonsMainWindow::SetModeCaption(PlayModeButton button, const QString& caption)
{
    if (TBitBtnWithColor* target = Button(button)) {
        AsPushButton(target)->setText(caption);
    }
}

void ModeButtonsMainWindow::SetTimeLabelsEnabled(bool enabled)
{
    // The time labels belong to the timers' part of the window; whichever of them exist follow.
    for (const char* name :
         {"lblTotalTime", "lblTimeRemaining", "lblTimeElapsed", "Label3", "Label4", "Label5"}) {
        if (auto* label = form_.findChild<QWidget*>(QString::fromLatin1(name))) {
            label->setEnabled(enabled);
        }
    }
}

void ModeButtonsMainWindow::SetSoundPlayingVisible(bool visible)
{
    form_.SoundPlaying->setVisible(visible);
}

void ModeButtonsMainWindow::ProcessPageButton(int page)
{
    form_.ProcessPageButton(page);
}

void ModeButtonsMainWindow::ProcessGroupButton(int group)
{
    form_.ProcessGroupButton(group);
}

void ModeButtonsMainWindow::NextPage()
{
    form_.NextPage();
}

void ModeButtonsMainWindow::PrevPage()
{
    form_.PrevPage();
}

int ModeButtonsMainWindow::VolumeBarValue() const
{
    return form_.VolumeControl->Value();
}

void ModeButtonsMainWindow::SetVolumeBarValue(int value)
{
    // The key handler sets the volume itself; the bar's change handler must not do it twice.
    const bool before = form_.VolumeChanging;
    form_.VolumeChanging = true;
    form_.VolumeControl->SetValue(value);
    form_.VolumeChanging = before;
}

bool ModeButtonsMainWindow::VolumeChanging() const
{
    return form_.VolumeChanging;
}

void ModeButtonsMainWindow::SetProgressGauge(int value)
{
    if (form_.ProgressGauge != nullptr) {
        form_.ProgressGauge->SetValue(value);
    }
}

void ModeButtonsMainWindow::ShowEqualizer()
{
    if (OpenEqualizer) {
        OpenEqualizer();
    }
}
