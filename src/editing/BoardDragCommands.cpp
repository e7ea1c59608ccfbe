// What a drop does: swap two sounds, move a sound to another page, swap two pages; and the drag
// mode switch.
#include "editing/BoardDragDrop.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/ColorPanel.h"
#include "editing/BoardEditing.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <exception>
#include <utility>

void BoardDragDrop::ButtonDragModeOnOff1Click()
{
    MainFormContext& ctx = form_.Context();
    try {
        if (ctx.board.EditMode || ctx.settings.SecurityLocked) {
            return;
        }
        ctx.selection.PopupGroup = ctx.selection.CurrentGroup;
        const Settings& s = ctx.settings;
        if (!form_.ButtonDragMode) {
            form_.ButtonDragMode = true;
            SetFace(form_.ButtonDragButton, s.ActiveButtonColor);
            PaintDragPanels(true);
            AsPushButton(form_.EditButton)->setEnabled(false);
            form_.SoundPlaying->setText(
                QStringLiteral("****** NOTICE:  PROGRAM IN BUTTON DRAG MODE!!! ******"));
        } else {
            form_.ButtonDragMode = false;
            form_.ButtonsOn();
            form_.Label2->hide();
            form_.SoundPlaying->clear();
            SetFace(form_.ButtonDragButton, s.ButtonColor);
            PaintDragPanels(false);
            form_.DummyButton->setFocus();
        }
    } catch (const std::exception&) {
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ButtonDragModeOnOff1Click\r "), mtError, mbOK);
    }
}

void BoardDragDrop::PaintDragPanels(bool on)
{
    const MainFormContext& ctx = form_.Context();
    const Settings& s = ctx.settings;
    const Selection& sel = ctx.selection;
    TColor color = s.DragModeColor;
    if (!on) {
        // The colour of what is on display: the cue's own colour while the cue shows.
        const bool cueShown = sel.CurrentGroup == CueGroup && sel.CurrentPage == CuePage;
        color = cueShown ? s.CueColor : s.GroupColor[static_cast<std::size_t>(sel.PopupGroup)];
    }
    form_.PaintBoardPanels(color);
}

void BoardDragDrop::Error(const QString& text)
{
    form_.Context().dialogs.MessageDlg(text, mtError, mbOK);
}

void BoardDragDrop::Form1HandleDrag(const DragRole& target, const DragRole& source)
{
    if (!form_.ButtonDragMode) {
        return;
    }
    try {
        if (source.IsPage()) {
            if (target.kind == DragRole::Slot) {
                Error(QStringLiteral("You can not drag a Page to the Sound Button area."));
            } else if (target.IsPage()) {
                SwapPages(source.number, target.number);
            }
            return;
        }
        if (source.kind == DragRole::Slot) {
            DropSound(target, source.number);
        }
    } catch (const std::exception&) {
        Error(QStringLiteral("Error in FormHandleDrag\r "));
    }
}

void BoardDragDrop::DropSound(const DragRole& target, int source)
{
    MainFormContext& ctx = form_.Context();
    const int g = ctx.selection.CurrentGroup;
    const int p = ctx.selection.CurrentPage;
    if (target.kind == DragRole::Slot) {
        SwapSounds(source, target.number);
        return;
    }
    if (target.kind != DragRole::PageButton) {
        return;
    }
    const int t = target.number;
    if (Board::IsBlank(ctx.board.PageName[g][t])) {
        Error(QStringLiteral("You can not drag a sound to a Page that does not exist."));
        return;
    }
    if (t == p) {
        Error(QStringLiteral("You can not drag a Sound Button to the same Page it is already on."));
        return;
    }
    if (Board::IsBlank(ctx.board.ButtonCaption[g][p][source])) {
        return;
    }
    if (BoardEditing::RefuseCellWhilePlaying(form_, g, p, source)) {
        return;
    }
    form_.SoundToPage(g, p, source, QString::number(t));
}

void BoardDragDrop::SwapSounds(int source, int target)
{
    MainFormContext& ctx = form_.Context();
    Board& board = ctx.board;
    const int g = ctx.selection.CurrentGroup;
    const int p = ctx.selection.CurrentPage;
    if (BoardEditing::RefuseCellWhilePlaying(form_, g, p, source) ||
        BoardEditing::RefuseCellWhilePlaying(form_, g, p, target)) {
        return;
    }
    board.BoardChanged = true;
    if (source == target) {
        return;
    }
    board.SwapCells(g, p, source, g, p, target);
    std::swap(board.PageFiles[static_cast<std::size_t>(source)],
              board.PageFiles[static_cast<std::size_t>(target)]);
    if (g == CueGroup && p == CuePage) {
        // Cue entries keep the buttons they were cued from.
        for (auto* origin : {&board.CueOriginGroup, &board.CueOriginPage, &board.CueOriginButton}) {
            std::swap((*origin)[static_cast<std::size_t>(source)],
                      (*origin)[static_cast<std::size_t>(target)]);
        }
    } else {
        BoardEditing::SwapCueOrigins(form_, g, p, source, p, target);
    }
    BoardEditing::ShowSlotFromBoard(form_, source);
    BoardEditing::ShowSlotFromBoard(form_, target);
}

void BoardDragDrop::SwapPages(int source, int target)
{
    MainFormContext& ctx = form_.Context();
    Board& board = ctx.board;
    Selection& sel = ctx.selection;
    const int g = sel.CurrentGroup;
    if (BoardEditing::RefusePageWhilePlaying(form_, g, source) ||
        BoardEditing::RefusePageWhilePlaying(form_, g, target)) {
        return;
    }
    board.BoardChanged = true;
    if (source == target) {
        return;
    }
    std::swap(board.PageName[g][source], board.PageName[g][target]);
    std::swap(board.PagePlay[g][source], board.PagePlay[g][target]);
    std::swap(board.PageShuffle[g][source], board.PageShuffle[g][target]);
    std::swap(board.RapidFire[g][source], board.RapidFire[g][target]);
    // The stored colours travel, not what the buttons show (the page on display shows the active
    // colour, which is no page's own).
    std::swap(board.PageColor[g][source], board.PageColor[g][target]);
    for (int b = 1; b <= ButtonCount; ++b) {
        board.SwapCells(g, source, b, g, target, b);
    }
    BoardEditing::SwapPageCueOrigins(form_, g, source, target);
    // The slots keep showing the same content, now under the other page number.
    if (sel.CurrentPage == source || sel.CurrentPage == target) {
        sel.CurrentPage = sel.CurrentPage == source ? target : source;
        sel.CurrentButton = sel.CurrentPage;
        board.LastPageOfGroup[static_cast<std::size_t>(g)] = sel.CurrentPage;
    }
    for (int page : {source, target}) {
        BoardEditing::ShowPageButton(form_, page, true);
    }
    if (sel.CurrentPage == source || sel.CurrentPage == target) {
        SetFace(form_.PageButtons[static_cast<std::size_t>(sel.CurrentPage)], ctx.settings.ActiveButtonColor);
    }
}
