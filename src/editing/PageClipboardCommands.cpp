// Copy, Cut and Paste of a whole page through the page clipboard, and Copy Cue.
#include "editing/BoardClipboards.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "editing/BoardEditing.h"

#include <QLabel>

#include <exception>

namespace {

bool IsPageWithButton(int page)
{
    return page >= 1 && page <= PageButtonCount;
}

} // namespace

void BoardClipboards::CopyPage(int group, int page, bool withHotKeys)
{
    const Board& board = form_.Context().board;
    page_.PageName = board.PageName[group][page];
    page_.PagePlay = board.PagePlay[group][page];
    page_.RapidFire = board.RapidFire[group][page];
    page_.PageShuffle = board.PageShuffle[group][page];
    page_.PageColor = board.PageColor[group][page];
    for (int b = 1; b <= ButtonCount; ++b) {
        page_.Cells[static_cast<std::size_t>(b)] = ClipboardCell(board.Cell(group, page, b), withHotKeys);
    }
}

void BoardClipboards::PageCopyClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Page Copy Click"));
        const int g = ctx.selection.PopupGroup;
        const int p = ctx.selection.PopupPage;
        if (g < 1 || g > GroupCount || !IsPageWithButton(p) || Board::IsBlank(ctx.board.PageName[g][p]) ||
            !PageGuard(16)) {
            return;
        }
        CopyPage(g, p, false);
        FilledPage();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("PageCopyClick"));
    }
}

void BoardClipboards::PageCutClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Page Cut Click"));
        const int g = ctx.selection.PopupGroup;
        const int p = ctx.selection.PopupPage;
        if (g < 1 || g > GroupCount || !IsPageWithButton(p) || Board::IsBlank(ctx.board.PageName[g][p])) {
            return;
        }
        if (BoardEditing::RefusePageWhilePlaying(form_, g, p) || !PageGuard(17)) {
            return;
        }
        CopyPage(g, p, true);
        FilledPage();
        BlankPage(g, p);
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("PageCutClick"));
    }
}

void BoardClipboards::BlankPage(int group, int page)
{
    MainFormContext& ctx = form_.Context();
    Board& board = ctx.board;
    board.PageName[group][page].clear();
    board.PagePlay[group][page].clear();
    board.PageShuffle[group][page].clear();
    board.RapidFire[group][page].clear();
    board.PageColor[group][page] = 0;
    for (int b = 1; b <= ButtonCount; ++b) {
        board.SetCell(group, page, b, CutCell());
    }
    board.BoardChanged = true;
    BoardEditing::ShowPageEmptied(form_, group, page);
}

void BoardClipboards::CopyCueClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        if (!PageGuard(16)) {
            return;
        }
        CopyPage(CueGroup, CuePage, false);
        page_.PageName = QStringLiteral("Copy of Cue");
        page_.PageColor = ctx.settings.ButtonColor;
        FilledPage();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("CopyCueClick"));
    }
}

void BoardClipboards::PagePasteClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        Board& board = ctx.board;
        ctx.tracer.WriteTracer(QStringLiteral("Page Paste Click"));
        const int g = ctx.selection.PopupGroup;
        const int p = ctx.selection.PopupPage;
        // Only onto a blank page: a named page's buttons would be lost without a question.
        if (!flags_.PageClipboardFull || g < 1 || g > GroupCount || !IsPageWithButton(p) ||
            !Board::IsBlank(board.PageName[g][p])) {
            return;
        }
        ++flags_.PageClipboardPastes;
        const bool withHotKeys = flags_.PageClipboardPastes < 2;
        board.PageName[g][p] = page_.PageName;
        board.PageColor[g][p] = page_.PageColor;
        board.PagePlay[g][p] = page_.PagePlay;
        board.PageShuffle[g][p] = page_.PageShuffle;
        board.RapidFire[g][p] = page_.RapidFire;
        for (int b = 1; b <= ButtonCount; ++b) {
            board.SetCell(g, p, b, ClipboardCell(page_.Cells[static_cast<std::size_t>(b)], withHotKeys));
        }
        pagePanel_->hide();
        pagePanel_->setToolTip(QString());
        board.BoardChanged = true;
        if (g == ctx.selection.CurrentGroup) {
            BoardEditing::ShowPageButton(form_, p, true);
            form_.ProcessPageButton(p);
        }
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("PagePasteClick"));
    }
}
