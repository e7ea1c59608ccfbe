#include "playback/MainFormPlaybackWindow.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/ProgressGauge.h"
#include "controls/SlideBar.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
std::size_t Index(int slot)
{
    return static_cast<std::size_t>(slot);
}
} // namespace

MainFormPlaybackWindow::MainFormPlaybackWindow(TForm1& form) : form_(form) {}

// A number that names no slot reads as a place marker with no caption (nothing to play) and
// takes no paint.
TColor MainFormPlaybackWindow::PanelColor(int slot) const
{
    return TForm1::IsSlot(slot) ? form_.ButtonPanels[Index(slot)]->Color() : clBlack;
}

void MainFormPlaybackWindow::SetPanelColor(int slot, TColor color)
{
    if (TForm1::IsSlot(slot)) {
        form_.ButtonPanels[Index(slot)]->SetColor(color);
    }
}

void MainFormPlaybackWindow::SetSoundButtonColor(int slot, TColor color)
{
    if (TForm1::IsSlot(slot)) {
        SetFace(form_.SoundButtons[Index(slot)], color);
    }
}

QString MainFormPlaybackWindow::SoundButtonCaption(int slot) const
{
    return TForm1::IsSlot(slot) ? AsPushButton(form_.SoundButtons[Index(slot)])->text() : QString();
}

void MainFormPlaybackWindow::SetTimeLabel(int slot, const QString& text)
{
    if (TForm1::IsSlot(slot)) {
        form_.TimeLabels[Index(slot)]->setText(text);
    }
}

void MainFormPlaybackWindow::FocusDummy()
{
    form_.DummyButton->setFocus(Qt::OtherFocusReason);
}

void MainFormPlaybackWindow::SetNowPlaying(bool visible, const QString& text)
{
    form_.SoundPlaying->setText(text);
    if (visible) {
        form_.SoundPlaying->setVisible(true);
        form_.Label2->setVisible(true);
    } else {
        // Only "Now Playing:" goes: the line itself stays for the edit and drag mode notices.
        form_.Label2->setVisible(false);
    }
}

void MainFormPlaybackWindow::SetPauseEnabled(bool enabled)
{
    AsPushButton(form_.PauseButton)->setEnabled(enabled);
    form_.Pause1->setEnabled(enabled);
}

void MainFormPlaybackWindow::SetStopEnabled(bool enabled)
{
    AsPushButton(form_.StopPlayButton)->setEnabled(enabled);
    form_.Stop1->setEnabled(enabled);
}

void MainFormPlaybackWindow::SetStopMenuItemEnabled(bool enabled)
{
    form_.Stop1->setEnabled(enabled);
}

void MainFormPlaybackWindow::SetModeButtonColor(ModeButton button, TColor color)
{
    TBitBtnWithColor* target = nullptr;
    switch (button) {
    case ModeButton::Pause: target = form_.PauseButton; break;
    case ModeButton::FadeIn: target = form_.FadeInButton; break;
    case ModeButton::FadeOut: target = form_.FadeOutButton; break;
    case ModeButton::CrossFade: target = form_.CrossFadeButton; break;
    case ModeButton::VoiceOver: target = form_.VoiceOverButton; break;
    case ModeButton::Loop: target = form_.LoopOnButton; break;
    case ModeButton::PlayList: target = form_.PlayListButton; break;
    }
    if (target != nullptr) {
        SetFace(target, color);
    }
}

void MainFormPlaybackWindow::SetDisplayInterval(int ms)
{
    form_.DisplayTimer->setInterval(ms);
}

void MainFormPlaybackWindow::StartDisplayTimer()
{
    form_.DisplayTimer->start();
    if (WakeProgression) {
        WakeProgression();
    }
}

void MainFormPlaybackWindow::SetTotalTimeLabel(const QString& text)
{
    form_.lblTotalTime->setText(text);
}

void MainFormPlaybackWindow::ResetTimeDisplays()
{
    for (QLabel* label : {form_.lblTotalTime, form_.lblTimeElapsed, form_.lblTimeRemaining}) {
        label->setText(QStringLiteral("00:00"));
    }
    form_.ProgressGauge->SetValue(0);
    form_.AdvanceBar->SetValue(0);
}

int MainFormPlaybackWindow::AdvanceBar() const
{
    return form_.AdvanceBar->Value();
}

void MainFormPlaybackWindow::SetAdvanceBar(int position)
{
    form_.AdvanceBar->SetValue(position);
}

void MainFormPlaybackWindow::ButtonsOn()
{
    form_.ButtonsOn();
}

void MainFormPlaybackWindow::SetVolumeHint(const QString& text)
{
    form_.VolumeControl->setToolTip(text);
}

void MainFormPlaybackWindow::OpenSoundButtonEditor()
{
    if (OpenEditor) {
        OpenEditor();
    }
}

void MainFormPlaybackWindow::CueEndPlay(int group, int page, int button)
{
    form_.CueEndPlay(group, page, button);
}

bool MainFormPlaybackWindow::PlayListNextPage()
{
    return form_.PlayListNextPage();
}
