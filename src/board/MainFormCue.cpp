// The cue: page 19 of group D holds copies of buttons picked from anywhere on the board ("Cue
// It"); each entry remembers its origin, which turns played once the entry has played.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/TimeText.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPushButton>

#include <exception>

namespace {

// The first cue slot whose caption is blank, or 0 when the cue is full.
int FreeCueSlot(const Board& board)
{
    for (int n = 1; n <= ButtonCount; ++n) {
        if (Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][n])) {
            return n;
        }
    }
    return 0;
}

const QString CueFullText =
    QStringLiteral("The Cue is full.\rEither delete some buttons in the cue or clear the cue");

} // namespace

void TForm1::ShowSlotEmpty(int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    HotKeyLabels[i]->hide();
    QPushButton* button = AsPushButton(SoundButtons[i]);
    button->setText(QStringLiteral(" "));
    button->hide();
    button->setToolTip(QString());
    ButtonPanels[i]->setToolTip(QString());
    ButtonPanels[i]->SetColor(clTeal);
    ctx_.board.PageFiles[i] = QStringLiteral(" ");
    TimeLabels[i]->setText(QStringLiteral(" "));
    for (TClickLabel* label : {VolumeLabels[i], LoopLabels[i], CustomCueLabels[i]}) {
        label->setText(QString());
        label->hide();
    }
    ButtonMemos[i]->setText(QString());
}

void TForm1::WritePageTotals(int group, int page)
{
    TotalPage(group, page);
    const Board& board = ctx_.board;
    LabelPageTotals->setText(QString::number(board.PageSoundCount) + QStringLiteral(" Sounds (") +
                             ConvertTime(board.PageSoundSeconds, QStringLiteral("HH:MM:SS")) +
                             QStringLiteral(")"));
}

void TForm1::PopupCueClick()
{
    try {
        if (!PopupComponentName.startsWith(QLatin1String("Panel"))) {
            return;
        }
        Selection& sel = ctx_.selection;
        Board& board = ctx_.board;
        const int n = PopupComponentName.mid(5).toInt();
        if (n < 1 || n > ButtonCount) {
            return;
        }
        sel.CurrentButton = n;
        const int g = sel.CurrentGroup;
        const int p = sel.CurrentPage;
        if (Board::IsBlank(board.ButtonCaption[g][p][n]) || board.ButtonState[g][p][n] == bstPlaceMarker) {
            return;
        }
        // A full cue is found out before the button is marked, so it is not left cued with no
        // entry to play it.
        if (FreeCueSlot(board) == 0) {
            ctx_.dialogs.MessageDlg(CueFullText, mtError, mbOK);
            return;
        }
        ButtonPanels[static_cast<std::size_t>(n)]->SetColor(CuedColor);
        board.ButtonState[g][p][n] = bstCued;
        CueTransfer = board.Cell(g, p, n);
        CueTransfer.ButtonHotKey.clear();
        CueTransfer.ButtonHotKeyInfo.clear();
        CueIt();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopupCueClick"));
    }
}

void TForm1::CueIt()
{
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        const int n = FreeCueSlot(board);
        if (n == 0) {
            ctx_.dialogs.MessageDlg(CueFullText, mtError, mbOK);
            return;
        }
        TSoundButtonCell entry = CueTransfer;
        entry.ButtonState = bstUnplayed;
        entry.ButtonHotKey.clear();
        entry.ButtonHotKeyInfo.clear();
        board.SetCell(CueGroup, CuePage, n, entry);
        const auto i = static_cast<std::size_t>(n);
        board.CueOriginGroup[i] = sel.CurrentGroup;
        board.CueOriginPage[i] = sel.CurrentPage;
        board.CueOriginButton[i] = sel.CurrentButton;
        board.BoardChanged = true;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CueIt"));
    }
}

void TForm1::CueEndPlay(int group, int page, int button)
{
    if (page != CuePage || !Board::IsValidAddress(group, page, button)) {
        return;
    }
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        Tracer& tracer = ctx_.tracer;
        if (ctx_.settings.CueDelete) {
            tracer.WriteTracer(QStringLiteral("CueEndPlay - Delete Button from Cue when it has played"));
            const QString blank = QStringLiteral(" ");
            for (PerButtonTable<QString>* table :
                 {&board.ButtonCaption, &board.ButtonFile, &board.ButtonTime, &board.ButtonVolume,
                  &board.ButtonLoop, &board.ButtonCustomCue}) {
                (*table)[group][page][button] = blank;
            }
            board.ButtonState[group][page][button] = bstUnplayed;
            board.ButtonHotKey[group][page][button].clear();
            board.ButtonHotKeyInfo[group][page][button].clear();
            board.ButtonNote[group][page][button].clear();
            board.BoardChanged = true;
            if (sel.CurrentPage == CuePage) {
                ShowSlotEmpty(button);
                tracer.WriteTracer(QStringLiteral("iTemp1 0"));
                tracer.WriteTracer(QStringLiteral(" Table Group ") + QString::number(group));
                tracer.WriteTracer(QStringLiteral(" Table Page ") + QString::number(page));
                tracer.WriteTracer(QStringLiteral(" Table Button ") + QString::number(button));
                WritePageTotals(group, page);
            }
        }
        tracer.WriteTracer(QStringLiteral("StopChannel - Turn off Cued Marker Color"));
        const auto i = static_cast<std::size_t>(button);
        const int og = board.CueOriginGroup[i];
        const int op = board.CueOriginPage[i];
        const int ob = board.CueOriginButton[i];
        if (!Board::IsValidAddress(og, op, ob) || board.ButtonState[og][op][ob] != bstCued) {
            return;
        }
        board.ButtonState[og][op][ob] = bstPlayed;
        board.CueOriginGroup[i] = 0;
        board.CueOriginPage[i] = 0;
        board.CueOriginButton[i] = 0;
        // The origin's page may be the one on display: it must not keep the cued colour.
        if (og == sel.CurrentGroup && op == sel.CurrentPage) {
            PaintSlot(ob);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CueEndPlay"));
    }
}

void TForm1::CueButtonClick()
{
    try {
        CueButtonProcess();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ProcessCueButton"));
    }
}

bool TForm1::CueButtonProcess()
{
    if (ButtonDragMode || ctx_.board.EditMode) {
        return false;
    }
    try {
        Settings& s = ctx_.settings;
        Board& board = ctx_.board;
        Selection& sel = ctx_.selection;
        EndManualControl();
        for (int page = 1; page <= PageButtonSlots; ++page) {
            TBitBtnWithColor* button = PageButtons[static_cast<std::size_t>(page)];
            SetFace(button, s.ButtonColor);
            AsPushButton(button)->hide();
            AsPushButton(button)->setText(QString());
            PanelPage[static_cast<std::size_t>(page)]->SetColor(s.CueColor);
        }
        for (int g = 1; g <= Groups; ++g) {
            SetFace(GroupButtons[static_cast<std::size_t>(g)], s.ButtonColor);
        }
        lblGroup->setText(QString());
        lblPage->setText(QStringLiteral("Cue"));
        for (TColorPanel* panel : {PanelControls, PanelPages, Panel52, Panel54, Panel55}) {
            panel->SetColor(s.CueColor);
        }
        SetFace(CueButton, s.ActiveButtonColor);
        FocusDummy();
        sel.CurrentGroup = CueGroup;
        sel.CurrentPage = CuePage;
        board.PageName[CueGroup][CuePage] = QStringLiteral("Cue");
        LoadButtons();
        if (AsPushButton(PlayListButton)->isEnabled()) {
            const bool listOn = board.PagePlay[CueGroup][CuePage] == QStringLiteral("T");
            SetFace(PlayListButton, listOn ? s.ActiveButtonColor : s.ButtonColor);
            PlayListMode = listOn;
            if (!listOn) {
                s.Shuffle = false;
            }
            AsPushButton(ShuffleButton)->setEnabled(listOn);
        }
        const bool shuffleOn = board.PageShuffle[CueGroup][CuePage] == QStringLiteral("T");
        SetFace(ShuffleButton, shuffleOn ? s.ActiveButtonColor : s.ButtonColor);
        s.Shuffle = shuffleOn;
        if (shuffleOn) {
            AsPushButton(NextButton)->setEnabled(true);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CueButtonProcess"));
    }
    return true;
}

void TForm1::PopupClearClueClick()
{
    try {
        if (ctx_.dialogs.MessageDlg(QStringLiteral("Delete All of Cue?"), mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        Board& board = ctx_.board;
        for (int n = 1; n <= ButtonCount; ++n) {
            TSoundButtonCell cell = board.Cell(CueGroup, CuePage, n);
            cell.ButtonCaption = cell.ButtonFile = cell.ButtonTime = QStringLiteral(" ");
            cell.ButtonState = bstUnplayed;
            cell.ButtonHotKey.clear();
            cell.ButtonHotKeyInfo.clear();
            cell.ButtonNote.clear();
            cell.ButtonCustomCue.clear();
            cell.ButtonCueStart = 0;
            cell.ButtonCueEnd = 0;
            cell.ButtonCustomColor = clBtnFace;
            board.SetCell(CueGroup, CuePage, n, cell);
            board.ForgetCueOrigin(CueGroup, CuePage, n);
        }
        board.BoardChanged = true;
        for (int g = 1; g <= GroupCount; ++g) {
            for (int p = 1; p <= PageButtonCount; ++p) {
                for (int b = 1; b <= ButtonCount; ++b) {
                    if (board.ButtonState[g][p][b] == bstCued) {
                        board.ButtonState[g][p][b] = bstUnplayed;
                    }
                }
            }
        }
        // The page on display is painted again from its own cells (the cue, now empty, or the
        // page whose cued buttons just turned unplayed), with its totals.
        LoadButtons();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopupClearClueClick"));
    }
}
