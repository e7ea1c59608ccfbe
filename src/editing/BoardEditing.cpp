#include "editing/BoardEditing.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/TimeText.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPushButton>

namespace BoardEditing {

bool PageOnDisplay(TForm1& form, int group, int page)
{
    const Selection& sel = form.Context().selection;
    return sel.CurrentGroup == group && sel.CurrentPage == page;
}

bool CellPlaying(TForm1& form, int group, int page, int button)
{
    return form.Windows().IsAddressPlaying(group, page, button);
}

bool PagePlaying(TForm1& form, int group, int page)
{
    for (int b = 1; b <= ButtonCount; ++b) {
        if (CellPlaying(form, group, page, b)) {
            return true;
        }
    }
    return false;
}

bool RefuseCellWhilePlaying(TForm1& form, int group, int page, int button)
{
    if (!CellPlaying(form, group, page, button)) {
        return false;
    }
    form.Context().dialogs.MessageDlg(SoundPlayingRefusal, mtError, mbOK);
    return true;
}

bool RefusePageWhilePlaying(TForm1& form, int group, int page)
{
    if (!PagePlaying(form, group, page)) {
        return false;
    }
    form.Context().dialogs.MessageDlg(PagePlayingRefusal, mtError, mbOK);
    return true;
}

void MoveCueOrigins(TForm1& form, int group, int page, int toPage, const std::array<int, 49>& newSlot)
{
    Board& board = form.Context().board;
    for (std::size_t n = 1; n <= ButtonCount; ++n) {
        const int b = board.CueOriginButton[n];
        if (board.CueOriginGroup[n] != group || board.CueOriginPage[n] != page || b < 1 || b > ButtonCount) {
            continue;
        }
        const int to = newSlot[static_cast<std::size_t>(b)];
        board.CueOriginGroup[n] = to != 0 ? group : 0;
        board.CueOriginPage[n] = to != 0 ? toPage : 0;
        board.CueOriginButton[n] = to;
    }
}

void SwapCueOrigins(TForm1& form, int group, int pageA, int buttonA, int pageB, int buttonB)
{
    Board& board = form.Context().board;
    for (std::size_t n = 1; n <= ButtonCount; ++n) {
        if (board.CueOriginGroup[n] != group) {
            continue;
        }
        if (board.CueOriginPage[n] == pageA && board.CueOriginButton[n] == buttonA) {
            board.CueOriginPage[n] = pageB;
            board.CueOriginButton[n] = buttonB;
        } else if (board.CueOriginPage[n] == pageB && board.CueOriginButton[n] == buttonB) {
            board.CueOriginPage[n] = pageA;
            board.CueOriginButton[n] = buttonA;
        }
    }
}

void SwapPageCueOrigins(TForm1& form, int group, int pageA, int pageB)
{
    Board& board = form.Context().board;
    for (std::size_t n = 1; n <= ButtonCount; ++n) {
        if (board.CueOriginGroup[n] != group) {
            continue;
        }
        if (board.CueOriginPage[n] == pageA) {
            board.CueOriginPage[n] = pageB;
        } else if (board.CueOriginPage[n] == pageB) {
            board.CueOriginPage[n] = pageA;
        }
    }
}

void ShowSlotFromBoard(TForm1& form, int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    form.RepaintSlot(slot);
    QPushButton* button = AsPushButton(form.SoundButtons[i]);
    const bool editMode = form.Context().board.EditMode;
    button->setVisible(editMode || !Board::IsBlank(button->text()));
    if (editMode && form.ButtonPanels[i]->Color() != clBlack) {
        form.ButtonPanels[i]->SetColor(clBtnFace);
    }
}

void ShowPageEmptied(TForm1& form, int group, int page)
{
    MainFormContext& ctx = form.Context();
    MoveCueOrigins(form, group, page, page, {});
    if (group != ctx.selection.CurrentGroup) {
        return;
    }
    ShowPageButton(form, page, false);
    for (int n = 1; n <= PageButtonCount; ++n) {
        SetFace(form.PageButtons[static_cast<std::size_t>(n)], ctx.settings.ButtonColor);
    }
    // The slots belong to the page on display; a page emptied from its button elsewhere leaves
    // them be.
    if (PageOnDisplay(form, group, page)) {
        form.lblPage->clear();
        form.LabelPageTotals->clear();
        for (int n = 1; n <= ButtonCount; ++n) {
            ctx.board.PageFiles[static_cast<std::size_t>(n)].clear();
            ShowSlotFromBoard(form, n);
        }
    }
}

void ShowCellChanged(TForm1& form, int group, int page, int button)
{
    if (!PageOnDisplay(form, group, page)) {
        return;
    }
    Board& board = form.Context().board;
    board.PageFiles[static_cast<std::size_t>(button)] = board.ButtonFile[group][page][button];
    ShowSlotFromBoard(form, button);
    ShowPageTotals(form);
}

void ShowPageTotals(TForm1& form)
{
    const Selection& sel = form.Context().selection;
    const Board& board = form.Context().board;
    form.TotalPage(sel.CurrentGroup, sel.CurrentPage);
    form.LabelPageTotals->setText(QString::number(board.PageSoundCount) + QStringLiteral(" Sounds (") +
                                  ConvertTime(board.PageSoundSeconds, QStringLiteral("HH:MM:SS")) +
                                  QStringLiteral(")"));
}

void ShowPageButton(TForm1& form, int page, bool withColor)
{
    const MainFormContext& ctx = form.Context();
    const Settings& s = ctx.settings;
    TBitBtnWithColor* pageButton = form.PageButtons[static_cast<std::size_t>(page)];
    QPushButton* button = AsPushButton(pageButton);
    const QString& name = ctx.board.PageName[ctx.selection.CurrentGroup][page];
    button->setVisible(true);
    if (Board::IsBlank(name)) {
        button->setText(BlankPageCaption);
        SetButtonFontColor(pageButton, clSilver);
        button->setToolTip(QStringLiteral("Right Click to Add Page"));
    } else {
        button->setText(name);
        SetButtonFontColor(pageButton, s.PageFontColor);
        button->setToolTip(QStringLiteral("Right Click to Modify Page"));
    }
    if (withColor) {
        const TColor color = ctx.board.PageColor[ctx.selection.CurrentGroup][page];
        SetFace(pageButton, color != 0 ? color : s.ButtonColor);
    }
}

} // namespace BoardEditing
