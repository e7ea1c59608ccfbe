// Painting of the 48 slots from the cells of the page on display. The panel colours are not only
// looks: several commands decide by the colour a slot's panel shows.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/TimeText.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"
#include "platform/FontStyle.h"

#include <QAction>
#include <QPushButton>

#include <exception>

namespace {

// Keys shown on the hot-key labels while broadcast keys are on: slots 1..35 one character each
// (no "P"), slots 36..48 these texts (no F10).
const char* const BroadcastCharacters = "ABCDEFGHIJKLMNOQRSTUVWXYZ0123456789";
const char* const BroadcastTexts[] = {" F1 ", " F2 ", " F3 ", " F4 ",  " F5 ",  " F6 ", " F7 ",
                                      " F8 ", " F9 ", " F11 ", " F12 ", " INS ", " DEL "};

QString MemoText(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QFont MakeFont(const QString& name, int size, TFontStyles styles)
{
    QFont font(name);
    font.setPointSize(size > 0 ? size : 8);
    ApplyFontStyles(font, styles);
    return font;
}

} // namespace

bool TForm1::LoadButtons()
{
    Board& board = ctx_.board;
    board.PageSoundCount = 0;
    board.PageSoundSeconds = 0;
    HotKeyLabelColor = ctx_.settings.BroadcastKeys ? clWhite : DefaultEditModeColor;
    int slot = 1;
    try {
        for (; slot <= SlotCount; ++slot) {
            PaintSlot(slot);
        }
        TotalPage(ctx_.selection.CurrentGroup, ctx_.selection.CurrentPage);
        LabelPageTotals->setText(QString::number(board.PageSoundCount) + QStringLiteral(" Sounds (") +
                                 ConvertTime(board.PageSoundSeconds, QStringLiteral("HH:MM:SS")) + QStringLiteral(")"));
    } catch (const std::exception&) {
        ShowError(QStringLiteral("LoadButtons"));
    }
    return true;
}

void TForm1::PaintSlot(int slot)
{
    const Board& board = ctx_.board;
    const Settings& s = ctx_.settings;
    const int g = ctx_.selection.CurrentGroup;
    const int p = ctx_.selection.CurrentPage;
    const auto i = static_cast<std::size_t>(slot);
    QPushButton* button = AsPushButton(SoundButtons[i]);
    TColorPanel* panel = ButtonPanels[i];
    TClickLabel* memo = ButtonMemos[i];
    TClickLabel* hotKeyLabel = HotKeyLabels[i];
    const int state = board.ButtonState[g][p][slot];

    button->setText(board.ButtonCaption[g][p][slot]);
    memo->setText(MemoText(board.ButtonCaption[g][p][slot]));
    ctx_.board.PageFiles[i] = board.ButtonFile[g][p][slot];
    TimeLabels[i]->setText(board.ButtonTime[g][p][slot]);
    hotKeyLabel->SetColor(HotKeyLabelColor);
    VolumeLabels[i]->SetColor(clBlack);
    LoopLabels[i]->SetColor(clBlack);
    CustomCueLabels[i]->SetColor(clBlack);
    // A place marker keeps its caption without a file.
    if (state != bstPlaceMarker && Board::IsBlank(board.PageFiles[i])) {
        memo->setText(QString());
        button->setText(QStringLiteral(" "));
    }
    const QString& note = board.ButtonNote[g][p][slot];
    const QString hint = Board::IsBlank(note) ? QString() : note;
    button->setToolTip(hint);
    panel->setToolTip(hint);

    const QString& hotKey = board.ButtonHotKey[g][p][slot];
    hotKeyLabel->setVisible(!Board::IsBlank(hotKey));
    auto indicator = [&s](TClickLabel* label, bool shown, const QString& text, const QString& labelHint) {
        if (shown) {
            label->SetColor(s.IndicatorColor);
            label->setText(text);
            label->setToolTip(labelHint);
        }
        label->setVisible(shown);
    };
    indicator(VolumeLabels[i], !Board::IsBlank(board.ButtonVolume[g][p][slot]), QStringLiteral(" v "),
              QStringLiteral("Volume"));
    indicator(LoopLabels[i], !Board::IsBlank(board.ButtonLoop[g][p][slot]), QStringLiteral(" L "),
              QStringLiteral("Looped"));
    indicator(CustomCueLabels[i], board.ButtonCustomCue[g][p][slot] == QStringLiteral("Y"), QStringLiteral(" c "),
              QStringLiteral("Custom Cue"));
    if (!Board::IsBlank(hotKey)) {
        hotKeyLabel->setText(QStringLiteral(" ") + HotKeyMarker(hotKey) + QStringLiteral(" "));
        hotKeyLabel->setToolTip(QStringLiteral("Hot Key"));
    }
    const bool captionBlank = Board::IsBlank(button->text());
    if (captionBlank) {
        TimeLabels[i]->setText(QStringLiteral(" "));
    }
    memo->SetFontColor(s.Sound1FontColor);
    PaintPanelByState(slot, state, captionBlank);
    if (s.BroadcastKeys) {
        ShowBroadcastKey(slot, captionBlank);
    }
}

void TForm1::PaintPanelByState(int slot, int state, bool captionBlank)
{
    const auto i = static_cast<std::size_t>(slot);
    TColorPanel* panel = ButtonPanels[i];
    const TColor custom =
        ctx_.board.ButtonCustomColor[ctx_.selection.CurrentGroup][ctx_.selection.CurrentPage][slot];
    if (state == bstUnplayed) {
        panel->SetColor(clTeal);
    }
    if (!captionBlank) {
        panel->SetColor(custom != 0 ? custom : clBtnFace);
    }
    switch (state) {
    case bstPlayed:
    case bstHighlightedPlayed:
        panel->SetColor(clRed);
        break;
    case bstPlaying:
    case bstHighlightedPlaying:
        panel->SetColor(clLime);
        break;
    case bstLocked:
        panel->SetColor(clYellow);
        break;
    case bstHighlighted:
        panel->SetColor(clAqua);
        break;
    case bstPlaceMarker:
        panel->SetColor(clBlack);
        panel->SetFontColor(clWhite);
        ButtonMemos[i]->SetFontColor(clWhite);
        break;
    case bstFileMissing:
        panel->SetColor(clFuchsia);
        break;
    case bstCued:
        panel->SetColor(CuedColor);
        break;
    default:
        break;
    }
}

void TForm1::ShowBroadcastKey(int slot, bool captionBlank)
{
    const auto i = static_cast<std::size_t>(slot);
    TClickLabel* label = HotKeyLabels[i];
    label->hide();
    const TColor panelColor = ButtonPanels[i]->Color();
    if (captionBlank || panelColor == clYellow || panelColor == clBlack) {
        return;
    }
    QString text;
    QString hint;
    if (slot <= 35) {
        hint = QString(QChar::fromLatin1(BroadcastCharacters[slot - 1]));
        text = QStringLiteral(" ") + hint + QStringLiteral(" ");
    } else {
        text = QString::fromLatin1(BroadcastTexts[slot - 36]);
        hint = text;
    }
    label->setText(text);
    label->setToolTip(hint);
    label->show();
}

bool TForm1::TotalPage(int group, int page)
{
    Board& board = ctx_.board;
    board.PageSoundCount = 0;
    board.PageSoundSeconds = 0;
    try {
        for (int n = 1; n <= SlotCount; ++n) {
            if (Board::IsBlank(board.PageFiles[static_cast<std::size_t>(n)]) ||
                board.ButtonState[group][page][n] == bstLocked) {
                continue;
            }
            ++board.PageSoundCount;
            const int seconds = TimeTextToSeconds(board.ButtonTime[group][page][n], ctx_.dialogs, TimeErrorShown);
            if (seconds == -1) {
                break;
            }
            board.PageSoundSeconds += seconds;
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("TotalPage"));
    }
    return true;
}

bool TForm1::ButtonsOn()
{
    for (TBitBtnWithColor* button :
         {NewButton, OpenButton, ResetPageButton, SaveButton, ExitButton, LoopOnButton}) {
        AsPushButton(button)->setEnabled(true);
    }
    AsPushButton(EditButton)->setEnabled(EditButtonAllowed());
    for (QAction* item : {Loop1, ButtonDragModeOnOff, NewSet1, OpenSet1, SaveSet1, SaveSetAs1}) {
        item->setEnabled(true);
    }
    return true;
}

void TForm1::ApplyPageButtonFont(int page)
{
    const Settings& s = ctx_.settings;
    TBitBtnWithColor* button = PageButtons[static_cast<std::size_t>(page)];
    AsPushButton(button)->setFont(ScaledToWindow(MakeFont(s.PageFontName, s.PageFontSize, s.PageFontStyle)));
    SetButtonFontColor(button, s.PageFontColor);
}

void TForm1::ApplySoundFont(int slot, bool withColor)
{
    const Settings& s = ctx_.settings;
    const auto i = static_cast<std::size_t>(slot);
    const QFont font = ScaledToWindow(MakeFont(s.Sound1FontName, s.Sound1FontSize, s.Sound1FontStyle));
    AsPushButton(SoundButtons[i])->setFont(font);
    ButtonMemos[i]->setFont(font);
    if (withColor) {
        SetButtonFontColor(SoundButtons[i], s.Sound1FontColor);
        ButtonMemos[i]->SetFontColor(s.Sound1FontColor);
    }
}
