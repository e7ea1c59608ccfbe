#include "editing/MainFormSoundSlots.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/TimeText.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "editing/ChangeSoundButtonText.h"

#include <QLabel>
#include <QPushButton>

namespace {

std::size_t At(int slot)
{
    return static_cast<std::size_t>(slot);
}

} // namespace

QString MainFormSoundSlots::SoundButtonCaption(int slot) const
{
    return AsPushButton(form_.SoundButtons[At(slot)])->text();
}

void MainFormSoundSlots::SetSoundButtonCaption(int slot, const QString& caption)
{
    AsPushButton(form_.SoundButtons[At(slot)])->setText(caption);
}

void MainFormSoundSlots::SetSoundButtonVisible(int slot, bool visible)
{
    AsPushButton(form_.SoundButtons[At(slot)])->setVisible(visible);
}

void MainFormSoundSlots::SetMemoText(int slot, const QString& caption)
{
    form_.ButtonMemos[At(slot)]->setText(MemoTextOfCaption(caption));
}

void MainFormSoundSlots::SetMemoHint(int slot, const QString& hint)
{
    form_.ButtonMemos[At(slot)]->setToolTip(hint);
}

void MainFormSoundSlots::SetSlotHint(int slot, const QString& hint)
{
    AsPushButton(form_.SoundButtons[At(slot)])->setToolTip(hint);
    form_.ButtonPanels[At(slot)]->setToolTip(hint);
}

TColor MainFormSoundSlots::PanelColor(int slot) const
{
    return form_.ButtonPanels[At(slot)]->Color();
}

void MainFormSoundSlots::SetPanelColor(int slot, TColor color)
{
    form_.ButtonPanels[At(slot)]->SetColor(color);
}

void MainFormSoundSlots::SetTimeLabel(int slot, const QString& text)
{
    form_.TimeLabels[At(slot)]->setText(text);
}

void MainFormSoundSlots::ShowHotKeyLabel(int slot, const QString& marker, const QString& hint)
{
    TClickLabel* label = form_.HotKeyLabels[At(slot)];
    label->setText(marker);
    label->setToolTip(hint);
    label->show();
}

void MainFormSoundSlots::HideHotKeyLabel(int slot)
{
    form_.HotKeyLabels[At(slot)]->hide();
}

void MainFormSoundSlots::HideMarkerLabels(int slot)
{
    for (TClickLabel* label :
         {form_.VolumeLabels[At(slot)], form_.LoopLabels[At(slot)], form_.CustomCueLabels[At(slot)]}) {
        label->clear();
        label->hide();
    }
}

void MainFormSoundSlots::ShowPageTotals(int group, int page)
{
    form_.TotalPage(group, page);
    const Board& board = form_.Context().board;
    form_.LabelPageTotals->setText(QString::number(board.PageSoundCount) + QStringLiteral(" Sounds (") +
                                   ConvertTime(board.PageSoundSeconds, QStringLiteral("HH:MM:SS")) +
                                   QStringLiteral(")"));
}

bool MainFormSoundSlots::Playing() const
{
    return form_.Playing;
}

int MainFormSoundSlots::MasterVolume() const
{
    return form_.MasterVolume;
}
