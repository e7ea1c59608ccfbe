// The commands of the sound menu that act on the one slot right-clicked (the popup target):
// add, edit, delete, lock, highlight, mark as played, timed start, place markers, volume level.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QPushButton>

#include <exception>

namespace {

// The colour an unmarked slot goes back to: its own colour, or the plain face without one.
TColor OwnColor(TColor custom)
{
    return custom != 0 ? custom : clBtnFace;
}

} // namespace

bool TForm1::PopupPageNamed() const
{
    // By the page's name: a blank page's button reads "(Blank Page)", and the cue has no button.
    const Selection& sel = ctx_.selection;
    return Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, 1) &&
           !Board::IsBlank(ctx_.board.PageName[sel.PopupGroup][sel.PopupPage]);
}

void TForm1::ShowPopupPageAgain()
{
    const int page = ctx_.selection.PopupPage;
    if (page >= 1 && page <= PageButtonSlots) {
        ProcessPageButton(page);
    } else {
        LoadButtons();
    }
}

void TForm1::PopupAddClick()
{
    try {
        if (!PopupPageNamed()) {
            ctx_.dialogs.MessageDlg(
                QStringLiteral("You must first setup a Page before you can assign Sound Buttons."), mtError,
                mbOK);
            return;
        }
        AddingSounds = true;
        // Drag mode keeps page and slot clicks from acting while the files are placed.
        ButtonDragMode = true;
        AddSoundButton();
        ButtonDragMode = false;
        ShowPopupPageAgain();
        ctx_.board.BoardChanged = true;
    } catch (const std::exception&) {
        ButtonDragMode = false;
        AddingSounds = false;
        ShowError(QStringLiteral("PopUpAddClick"));
    }
}

void TForm1::PopupEditClick()
{
    try {
        AddingSounds = false;
        Windows().ShowSoundButtonEditor();
        ctx_.board.BoardChanged = true;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopUpEditClick"));
    }
}

void TForm1::PopupDeleteClick()
{
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        const int g = sel.PopupGroup;
        const int p = sel.PopupPage;
        const int b = sel.PopupButton;
        if (!Board::IsValidAddress(g, p, b)) {
            return;
        }
        const QString question =
            QStringLiteral("Delete Sound Button \"") + board.ButtonCaption[g][p][b] + QStringLiteral("\"?");
        if (ctx_.dialogs.MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        TSoundButtonCell cleared;
        cleared.ButtonCaption = cleared.ButtonFile = cleared.ButtonTime = QStringLiteral(" ");
        cleared.ButtonCustomCue = QStringLiteral("N");
        board.SetCell(g, p, b, cleared);
        ShowSlotEmpty(b);
        board.BoardChanged = true;
        if (p == CuePage) {
            const auto i = static_cast<std::size_t>(b);
            const int og = board.CueOriginGroup[i];
            const int op = board.CueOriginPage[i];
            const int ob = board.CueOriginButton[i];
            if (Board::IsValidAddress(og, op, ob) && board.ButtonState[og][op][ob] == bstCued) {
                board.ButtonState[og][op][ob] = bstUnplayed;
            }
            board.CueOriginGroup[i] = 0;
            board.CueOriginPage[i] = 0;
            board.CueOriginButton[i] = 0;
        }
        WritePageTotals(g, p);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopUpDeleteClick"));
    }
}

void TForm1::PopupLockClick()
{
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        const int b = sel.PopupButton;
        TColorPanel* panel = ButtonPanels[static_cast<std::size_t>(b)];
        const TColor color = panel->Color();
        if (color == clLime) {
            return;
        }
        if (color == clYellow) {
            board.ButtonState[sel.PopupGroup][sel.PopupPage][b] = bstUnplayed;
            panel->SetColor(OwnColor(board.ButtonCustomColor[sel.PopupGroup][sel.PopupPage][b]));
        } else {
            board.ButtonState[sel.PopupGroup][sel.PopupPage][b] = bstLocked;
            panel->SetColor(clYellow);
        }
        board.BoardChanged = true;
        WritePageTotals(sel.PopupGroup, sel.PopupPage);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopupLockClick"));
    }
}

void TForm1::PopupHighlightClick()
{
    Board& board = ctx_.board;
    const Selection& sel = ctx_.selection;
    const int b = sel.PopupButton;
    const auto i = static_cast<std::size_t>(b);
    if (Board::IsBlank(AsPushButton(SoundButtons[i])->text())) {
        return;
    }
    TColorPanel* panel = ButtonPanels[i];
    const TColor color = panel->Color();
    if (color == clLime) {
        return;
    }
    int& state = board.ButtonState[sel.PopupGroup][sel.PopupPage][b];
    if (color == clAqua) {
        state = bstUnplayed;
        panel->SetColor(OwnColor(board.ButtonCustomColor[sel.PopupGroup][sel.PopupPage][b]));
    } else {
        state = bstHighlighted;
        panel->SetColor(clAqua);
    }
    board.BoardChanged = true;
}

void TForm1::PopupPlayedClick()
{
    Board& board = ctx_.board;
    const Selection& sel = ctx_.selection;
    const int b = sel.PopupButton;
    TColorPanel* panel = ButtonPanels[static_cast<std::size_t>(b)];
    int& state = board.ButtonState[sel.PopupGroup][sel.PopupPage][b];
    const TColor color = panel->Color();
    if (color == clRed) {
        if (state == bstHighlightedPlayed) {
            state = bstHighlighted;
            panel->SetColor(clAqua);
        } else {
            state = bstUnplayed;
            panel->SetColor(OwnColor(board.ButtonCustomColor[sel.PopupGroup][sel.PopupPage][b]));
        }
    } else if (color == clAqua) {
        state = bstHighlightedPlayed;
        panel->SetColor(clRed);
    } else {
        state = bstPlayed;
        panel->SetColor(clRed);
    }
    board.BoardChanged = true;
}

void TForm1::PopupTimerClick()
{
    const int b = ctx_.selection.PopupButton;
    TimedStartButton = b;
    if (Board::IsBlank(ButtonMemos[static_cast<std::size_t>(b)]->text())) {
        return;
    }
    if (Windows().ShowTimedStartSet() != mrOk) {
        return;
    }
    if (Windows().ShowFormAutoStartTimer() == mrOk) {
        ProcessSoundButton(b);
    }
}

void TForm1::OpenPlaceMarkerWindow(const QString& mode)
{
    if (!PopupPageNamed()) {
        ctx_.dialogs.MessageDlg(
            QStringLiteral("You must first setup a Page before you can assign Place Markers."), mtError,
            mbOK);
        return;
    }
    PlaceMarkerMode = mode;
    Windows().ShowFormAddPlaceMarker();
}

void TForm1::PopupInsertClick()
{
    OpenPlaceMarkerWindow(QStringLiteral("Add"));
}

void TForm1::PopupEditPlaceMarkerClick()
{
    OpenPlaceMarkerWindow(QStringLiteral("Edit"));
}

void TForm1::AssignVolumeLevelClick()
{
    Windows().ShowFormAssignVolumeLevel();
    LoadButtons();
}
