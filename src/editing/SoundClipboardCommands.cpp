// Copy, Cut and Paste of one sound button through the sound clipboard.
#include "editing/BoardClipboards.h"

#include "board/MainForm.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "controls/ColorPanel.h"
#include "editing/BoardEditing.h"

#include <exception>

void BoardClipboards::SoundCopyClick()
{
    try {
        const MainFormContext& ctx = form_.Context();
        const Selection& sel = ctx.selection;
        if (!Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, sel.PopupButton)) {
            return;
        }
        const TSoundButtonCell cell = ctx.board.Cell(sel.PopupGroup, sel.PopupPage, sel.PopupButton);
        if (Board::IsBlank(cell.ButtonCaption) || !SoundGuard()) {
            return;
        }
        // A copy never carries the hot key: the original keeps it.
        sound_.Cell = ClipboardCell(cell, false);
        FilledSound();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("SoundCopyClick"));
    }
}

void BoardClipboards::CutSoundClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        const Selection& sel = ctx.selection;
        const int g = sel.PopupGroup;
        const int p = sel.PopupPage;
        const int b = sel.PopupButton;
        if (!Board::IsValidAddress(g, p, b) || Board::IsBlank(ctx.board.ButtonCaption[g][p][b])) {
            return;
        }
        if (BoardEditing::RefuseCellWhilePlaying(form_, g, p, b) || !SoundGuard()) {
            return;
        }
        sound_.Cell = ClipboardCell(ctx.board.Cell(g, p, b), true);
        FilledSound();
        ctx.board.SetCell(g, p, b, CutCell());
        // A cut cue entry no longer holds its origin: the origin is no longer cued.
        if (g == CueGroup && p == CuePage) {
            Board& board = ctx.board;
            const auto n = static_cast<std::size_t>(b);
            const int og = board.CueOriginGroup[n];
            const int op = board.CueOriginPage[n];
            const int ob = board.CueOriginButton[n];
            if (Board::IsValidAddress(og, op, ob) && board.ButtonState[og][op][ob] == bstCued) {
                board.ButtonState[og][op][ob] = bstUnplayed;
            }
            board.CueOriginGroup[n] = 0;
            board.CueOriginPage[n] = 0;
            board.CueOriginButton[n] = 0;
        }
        ctx.board.BoardChanged = true;
        BoardEditing::ShowCellChanged(form_, g, p, b);
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("CutSoundClick"));
    }
}

void BoardClipboards::PasteSoundClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        const Selection& sel = ctx.selection;
        const int g = sel.PopupGroup;
        const int p = sel.PopupPage;
        const int b = sel.PopupButton;
        if (!Board::IsValidAddress(g, p, b) || !Board::IsBlank(ctx.board.ButtonCaption[g][p][b]) ||
            !flags_.SoundClipboardFull || Board::IsBlank(sound_.Cell.ButtonCaption)) {
            return;
        }
        ++flags_.SoundClipboardPastes;
        // A hot key goes with the first paste only, so no two buttons share it.
        if (flags_.SoundClipboardPastes > 1) {
            sound_.Cell.ButtonHotKey.clear();
            sound_.Cell.ButtonHotKeyInfo.clear();
        }
        ctx.board.SetCell(g, p, b, sound_.Cell);
        ctx.board.ForgetCueOrigin(g, p, b);
        ctx.board.BoardChanged = true;
        BoardEditing::ShowCellChanged(form_, g, p, b);
        soundPanel_->hide();
        soundPanel_->setToolTip(QString());
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("PasteSoundClick"));
    }
}
