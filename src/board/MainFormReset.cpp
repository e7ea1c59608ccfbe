// Reset Page and the automatic reset of every page at start: played and cued buttons become
// unplayed again. The panels are repainted by the colour they show, so locks, markers, missing
// files and highlights keep theirs.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

#include <QPushButton>

#include <exception>

int TForm1::ResetState(int state, bool playing)
{
    switch (state) {
    case bstPlayed:
    case bstCued:
        return bstUnplayed;
    case bstHighlightedPlayed:
    case 0:
        return bstHighlighted;
    case bstPlaying:
        return playing ? state : bstUnplayed;
    default:
        return state;
    }
}

void TForm1::ResetPanelsOfPage(bool autoReset)
{
    Board& board = ctx_.board;
    const int g = ctx_.selection.CurrentGroup;
    const int p = ctx_.selection.CurrentPage;
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        TColorPanel* panel = ButtonPanels[i];
        if (Board::IsBlank(AsPushButton(SoundButtons[i])->text())) {
            panel->SetColor(clTeal);
            if (!autoReset) {
                board.ButtonCustomColor[g][p][n] = 0;
            }
            continue;
        }
        if (autoReset && board.ButtonState[g][p][n] == bstHighlightedPlayed) {
            panel->SetColor(clAqua);
            continue;
        }
        const TColor shown = panel->Color();
        const bool keeps = shown == clBlack || shown == clYellow || shown == clFuchsia || shown == clAqua ||
                           (shown == clLime && Playing);
        if (keeps) {
            continue;
        }
        TColor& custom = board.ButtonCustomColor[g][p][n];
        if (custom == clRed) {
            custom = 0;
        }
        panel->SetColor(custom != 0 ? custom : clBtnFace);
    }
}

bool TForm1::ResetPageProcess()
{
    FocusDummy();
    if (ctx_.board.EditMode) {
        return false;
    }
    try {
        if (ctx_.dialogs.MessageDlg(QStringLiteral("Reset This Page?"), mtConfirmation, mbYesNo) != mrYes) {
            return false;
        }
        ctx_.tracer.WriteTracer(QStringLiteral("Reset Page Button Click"));
        ResetPanelsOfPage(false);
        Board& board = ctx_.board;
        const int g = ctx_.selection.CurrentGroup;
        const int p = ctx_.selection.CurrentPage;
        for (int n = 1; n <= SlotCount; ++n) {
            int& state = board.ButtonState[g][p][n];
            const int before = state;
            state = ResetState(state, Playing);
            if (state == bstHighlighted && before != bstHighlighted) {
                ButtonPanels[static_cast<std::size_t>(n)]->SetColor(clAqua);
            }
        }
        FocusDummy();
        ctx_.random.Randomize();
        board.BoardChanged = true;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ResetPageButton"));
    }
    return false;
}

void TForm1::ResetPageClick()
{
    ResetPageProcess();
}

void TForm1::ResetPageButtonClick()
{
    ResetPageProcess();
}

bool TForm1::AutoResetAll()
{
    if (ctx_.board.EditMode) {
        return false;
    }
    try {
        ctx_.tracer.WriteTracer(QStringLiteral("Auto Reset All"));
        ResetEveryPage();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("AutoResetAll"));
    }
    return false;
}

void TForm1::ResetAllClick()
{
    if (ctx_.board.EditMode) {
        return;
    }
    try {
        if (ctx_.dialogs.MessageDlg(QStringLiteral("Reset All Pages?"), mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        ctx_.tracer.WriteTracer(QStringLiteral("Reset All"));
        ResetEveryPage();
        FocusDummy();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ResetAllClick"));
    }
}

void TForm1::ResetEveryPage()
{
    ResetPanelsOfPage(true);
    Board& board = ctx_.board;
    for (int g = 1; g <= Groups; ++g) {
        for (int p = 1; p <= PageButtonSlots; ++p) {
            for (int n = 1; n <= SlotCount; ++n) {
                board.ButtonState[g][p][n] = ResetState(board.ButtonState[g][p][n], Playing);
            }
        }
    }
    for (int n = 1; n <= SlotCount; ++n) {
        board.ButtonState[CueGroup][CuePage][n] =
            ResetState(board.ButtonState[CueGroup][CuePage][n], Playing);
    }
    ctx_.random.Randomize();
    board.BoardChanged = true;
}
