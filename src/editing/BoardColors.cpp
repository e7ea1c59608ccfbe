// Custom colours of sound and page buttons: set, capture and the bulk removals.
#include "editing/BoardColors.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "editing/BoardEditing.h"
#include "platform/Dialogs.h"

#include <array>
#include <exception>

namespace {

constexpr std::uint32_t Low24(TColor color)
{
    return static_cast<std::uint32_t>(color) & 0xFFFFFFu;
}

} // namespace

bool IsReservedSoundColor(TColor color)
{
    static constexpr std::array<TColor, 8> reserved{clBlack, clRed,     clLime, clYellow,
                                                    clTeal,  clFuchsia, clAqua, TForm1::CuedColor};
    for (TColor r : reserved) {
        if (Low24(r) == Low24(color) && !IsSystemColor(color)) {
            return true;
        }
    }
    return false;
}

void BoardColors::SetButtonColor1Click()
{
    MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (!Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, sel.PopupButton)) {
        return;
    }
    TColor color = ctx.settings.LastSoundButtonColor;
    // A cancelled dialog changes nothing.
    if (!ctx.dialogs.ColorDialog(color)) {
        return;
    }
    if (IsReservedSoundColor(color)) {
        ctx.dialogs.MessageDlg(ReservedColorText, mtError, mbOK);
        return;
    }
    ctx.board.ButtonCustomColor[sel.PopupGroup][sel.PopupPage][sel.PopupButton] = color;
    ctx.settings.LastSoundButtonColor = color;
    ctx.board.BoardChanged = true;
    // Painted through the state rules, so a played or locked button keeps showing its state.
    if (BoardEditing::PageOnDisplay(form_, sel.PopupGroup, sel.PopupPage)) {
        BoardEditing::ShowSlotFromBoard(form_, sel.PopupButton);
    }
}

void BoardColors::SetButtonColor2Click()
{
    MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (sel.PopupGroup < 1 || sel.PopupGroup > GroupCount || sel.PopupPage < 1 || sel.PopupPage > PageCount) {
        return;
    }
    TColor color = ctx.settings.LastSoundButtonColor;
    if (!ctx.dialogs.ColorDialog(color)) {
        return;
    }
    ctx.board.PageColor[sel.PopupGroup][sel.PopupPage] = color;
    // The cue (page 19) has no page button; its colour is only stored.
    if (sel.PopupPage <= PageButtonCount && sel.PopupGroup == sel.CurrentGroup) {
        SetFace(form_.PageButtons[static_cast<std::size_t>(sel.PopupPage)], color);
    }
    ctx.settings.LastSoundButtonColor = color;
    ctx.board.BoardChanged = true;
}

void BoardColors::CaptureButtonColor1Click()
{
    MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (!Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, sel.PopupButton)) {
        return;
    }
    const TColor panel = form_.ButtonPanels[static_cast<std::size_t>(sel.PopupButton)]->Color();
    static constexpr std::array<TColor, 8> shown{clRed,   clLime,    clYellow,          clAqua,
                                                 clBlack, clFuchsia, TForm1::CuedColor, clBtnFace};
    for (TColor c : shown) {
        if (c == panel) {
            ctx.settings.LastSoundButtonColor = panel;
            return;
        }
    }
    ctx.settings.LastSoundButtonColor =
        ctx.board.ButtonCustomColor[sel.PopupGroup][sel.PopupPage][sel.PopupButton];
}

void BoardColors::CaptureButtonColor2Click()
{
    MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (sel.PopupGroup < 1 || sel.PopupGroup > GroupCount || sel.PopupPage < 1 || sel.PopupPage > PageCount) {
        return;
    }
    ctx.settings.LastSoundButtonColor = ctx.board.PageColor[sel.PopupGroup][sel.PopupPage];
}

void BoardColors::C1Click()
{
    form_.Context().settings.LastSoundButtonColor = clBtnFace;
}

bool BoardColors::Confirm(const QString& question)
{
    return form_.Context().dialogs.MessageDlg(question, mtConfirmation, mbYesNo) == mrYes;
}

void BoardColors::ShowErrorBox(const QString& routine)
{
    form_.Context().dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError,
                                       mbOK);
}

void BoardColors::RemoveAllSoundButtonCustomColors1Click()
{
    try {
        if (!Confirm(QStringLiteral("Remove All Sound Button Custom Colors?"))) {
            return;
        }
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Remove All Sound Button Custom Colors"));
        Board& board = ctx.board;
        for (int g = 1; g <= GroupCount; ++g) {
            for (int p = 1; p <= PageButtonCount; ++p) {
                for (int b = 1; b <= ButtonCount; ++b) {
                    board.ButtonCustomColor[g][p][b] = 0;
                }
            }
        }
        for (int b = 1; b <= ButtonCount; ++b) {
            board.ButtonCustomColor[CueGroup][CuePage][b] = 0;
        }
        board.BoardChanged = true;
        form_.LoadButtons();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("RemoveAllSoundButtonCustomColors"));
    }
}

void BoardColors::RemoveSoundButtonCustomColorsforthisPageONLY1Click()
{
    try {
        if (!Confirm(QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY?"))) {
            return;
        }
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY!"));
        const int g = ctx.selection.CurrentGroup;
        const int p = ctx.selection.CurrentPage;
        for (int b = 1; b <= ButtonCount; ++b) {
            ctx.board.ButtonCustomColor[g][p][b] = 0;
        }
        ctx.board.BoardChanged = true;
        form_.LoadButtons();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("RemoveSoundButtonCustomColors"));
    }
}

void BoardColors::RemoveAllPageButtonCustomColors1Click()
{
    try {
        if (!Confirm(QStringLiteral("Remove All Page Button Custom Colors?"))) {
            return;
        }
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Remove All Page Button Custom Colors"));
        for (int g = 1; g <= GroupCount; ++g) {
            for (int p = 1; p <= PageButtonCount; ++p) {
                ctx.board.PageColor[g][p] = 0;
            }
        }
        ctx.board.BoardChanged = true;
        form_.ProcessGroupButton(ctx.selection.CurrentGroup);
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("RemoveAllPageButtonCustomColors"));
    }
}

void BoardColors::RemovePageButtonCustomColorsforthisGroupONLY1Click()
{
    try {
        if (!Confirm(QStringLiteral("Remove Page Button Custom Colors for this Group ONLY?"))) {
            return;
        }
        MainFormContext& ctx = form_.Context();
        ctx.tracer.WriteTracer(QStringLiteral("Remove Page Button Custom Colors for this Group ONLY!"));
        const int g = ctx.selection.CurrentGroup;
        for (int p = 1; p <= PageButtonCount; ++p) {
            ctx.board.PageColor[g][p] = 0;
        }
        ctx.board.BoardChanged = true;
        form_.ProcessGroupButton(g);
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("RemovePageButtonCustomColors"));
    }
}
