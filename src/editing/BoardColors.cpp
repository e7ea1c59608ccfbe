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
#include <functional>

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

void BoardColors::ShowErrorBox(const QString& routine)
{
    form_.Context().dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError,
                                       mbOK);
}

void BoardColors::RemoveColors(const RemovalTexts& texts,
                               const std::function<void(Board&, int group, int page)>& clear, bool pageColors)
{
    MainFormContext& ctx = form_.Context();
    try {
        if (ctx.dialogs.MessageDlg(texts.question, mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        ctx.tracer.WriteTracer(texts.trace);
        clear(ctx.board, ctx.selection.CurrentGroup, ctx.selection.CurrentPage);
        ctx.board.BoardChanged = true;
        if (pageColors) {
            form_.ProcessGroupButton(ctx.selection.CurrentGroup);
        } else {
            form_.LoadButtons();
        }
    } catch (const std::exception&) {
        ShowErrorBox(texts.routine);
    }
}

namespace {

void ClearSoundColors(Board& board, int group, int page)
{
    for (int b = 1; b <= ButtonCount; ++b) {
        board.ButtonCustomColor[group][page][b] = 0;
    }
}

void ClearPageColors(Board& board, int group)
{
    for (int p = 1; p <= PageButtonCount; ++p) {
        board.PageColor[group][p] = 0;
    }
}

} // namespace

void BoardColors::RemoveAllSoundButtonCustomColors1Click()
{
    RemoveColors(
        {QStringLiteral("Remove All Sound Button Custom Colors?"),
         QStringLiteral("Remove All Sound Button Custom Colors"),
         QStringLiteral("RemoveAllSoundButtonCustomColors")},
        [](Board& board, int, int) {
            for (int g = 1; g <= GroupCount; ++g) {
                for (int p = 1; p <= PageButtonCount; ++p) {
                    ClearSoundColors(board, g, p);
                }
            }
            ClearSoundColors(board, CueGroup, CuePage);
        },
        false);
}

void BoardColors::RemoveSoundButtonCustomColorsforthisPageONLY1Click()
{
    RemoveColors({QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY?"),
                  QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY!"),
                  QStringLiteral("RemoveSoundButtonCustomColors")},
                 &ClearSoundColors, false);
}

void BoardColors::RemoveAllPageButtonCustomColors1Click()
{
    RemoveColors(
        {QStringLiteral("Remove All Page Button Custom Colors?"),
         QStringLiteral("Remove All Page Button Custom Colors"),
         QStringLiteral("RemoveAllPageButtonCustomColors")},
        [](Board& board, int, int) {
            for (int g = 1; g <= GroupCount; ++g) {
                ClearPageColors(board, g);
            }
        },
        true);
}

void BoardColors::RemovePageButtonCustomColorsforthisGroupONLY1Click()
{
    RemoveColors(
        {QStringLiteral("Remove Page Button Custom Colors for this Group ONLY?"),
         QStringLiteral("Remove Page Button Custom Colors for this Group ONLY!"),
         QStringLiteral("RemovePageButtonCustomColors")},
        [](Board& board, int group, int) { ClearPageColors(board, group); }, true);
}
