// Choosing groups and pages, the page steps of the keyboard and the play list, and the resize of
// the main window.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32.h"

#include <QLabel>
#include <QPushButton>

#include <exception>

namespace {

const QString BlankPageCaption = QStringLiteral("(Blank Page)");

} // namespace

void TForm1::GroupButtonClick(int group)
{
    FocusDummy();
    ProcessGroupButton(group);
}

void TForm1::PageButtonClick(int page)
{
    ProcessPageButton(page);
    FocusDummy();
}

void TForm1::PaintGroupButtons(int activeGroup)
{
    const Settings& s = ctx_.settings;
    for (int g = 1; g <= Groups; ++g) {
        SetFace(GroupButtons[static_cast<std::size_t>(g)], s.ButtonColor);
    }
    SetFace(CueButton, s.ButtonColor);
    SetFace(GroupButtons[static_cast<std::size_t>(activeGroup)], s.ActiveButtonColor);
    lblGroup->setText(QStringLiteral("Group - ") + ctx_.board.GroupLetters[static_cast<std::size_t>(activeGroup)]);
}

bool TForm1::ProcessGroupButton(int group)
{
    if (ButtonDragMode || ctx_.board.EditMode || group < 1 || group > Groups) {
        return true;
    }
    try {
        const Settings& s = ctx_.settings;
        const Board& board = ctx_.board;
        ctx_.selection.CurrentGroup = group;
        PaintGroupButtons(group);
        ctx_.tracer.WriteTracer(QStringLiteral("Group ") + board.GroupLetters[static_cast<std::size_t>(group)] +
                                QStringLiteral(" Button Clicked"));
        PaintBoardPanels(s.GroupColor[static_cast<std::size_t>(group)]);
        for (int page = 1; page <= PageButtonSlots; ++page) {
            const auto i = static_cast<std::size_t>(page);
            QPushButton* button = AsPushButton(PageButtons[i]);
            button->setText(board.PageName[group][page]);
            button->setVisible(true);
            const TColor pageColor = board.PageColor[group][page];
            SetFace(PageButtons[i], pageColor != 0 ? pageColor : s.ButtonColor);
            ApplyPageButtonFont(page);
            if (Board::IsBlank(button->text())) {
                button->setText(BlankPageCaption);
                SetButtonFontColor(PageButtons[i], clSilver);
                button->setToolTip(QStringLiteral("Right Click to Add Page"));
            } else {
                button->setToolTip(QStringLiteral("Right Click to Modify Page"));
            }
        }
        GroupChanged = true;
        ProcessPageButton(ctx_.board.LastPageOfGroup[static_cast<std::size_t>(group)]);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ProcessGroupButton"));
    }
    return true;
}

void TForm1::PaintBoardPanels(TColor color)
{
    for (TColorPanel* panel : {PanelControls, PanelPages, Panel52, Panel54, Panel55}) {
        panel->SetColor(color);
    }
    for (int page = 1; page <= PageButtonSlots; ++page) {
        PanelPage[static_cast<std::size_t>(page)]->SetColor(color);
    }
}

void TForm1::ShowOpenedBoard()
{
    // Drag mode holds the page on display still while sounds are moved about; a set opened
    // meanwhile replaces that board, so it is shown whole and drag mode goes on over it.
    const bool dragging = ButtonDragMode;
    ButtonDragMode = false;
    ProcessGroupButton(1);
    ButtonDragMode = dragging;
    if (dragging) {
        PaintBoardPanels(ctx_.settings.DragModeColor);
    }
}

void TForm1::EmptyPageArea()
{
    lblPage->setText(QString());
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        QPushButton* button = AsPushButton(SoundButtons[i]);
        button->setText(QStringLiteral(" "));
        button->hide();
        button->setToolTip(QString());
        ButtonPanels[i]->setToolTip(QString());
        ButtonMemos[i]->setText(QString());
        HotKeyLabels[i]->setText(QStringLiteral(" "));
        HotKeyLabels[i]->hide();
        ButtonPanels[i]->SetColor(clTeal);
        ctx_.board.PageFiles[i] = QStringLiteral(" ");
        TimeLabels[i]->setText(QStringLiteral(" "));
        VolumeLabels[i]->hide();
        LoopLabels[i]->hide();
        CustomCueLabels[i]->hide();
    }
}

bool TForm1::ProcessPageButton(int page)
{
    // Only the 18 page buttons are pages to go to by number (a group's last page comes from
    // the board, a page number from a list window).
    if (ButtonDragMode || page < 1 || page > PageButtonSlots) {
        return false;
    }
    try {
        Board& board = ctx_.board;
        Selection& sel = ctx_.selection;
        ctx_.tracer.WriteTracer(QStringLiteral("Process Page Button ") + QString::number(page));
        QPushButton* pageButton = AsPushButton(PageButtons[static_cast<std::size_t>(page)]);
        if (Board::IsBlank(board.PageName[sel.CurrentGroup][page])) {
            EmptyPageArea();
            for (TBitBtnWithColor* button : {PlayListButton, RapidFireButton}) {
                SetFace(button, ctx_.settings.ButtonColor);
                AsPushButton(button)->setEnabled(false);
            }
            sel.CurrentPage = 1;
            return false;
        }
        if (!board.EditMode && GroupChanged && Board::IsBlank(pageButton->text())) {
            lblPage->setText(QString());
            LoadButtons();
            return false;
        }
        GroupChanged = false;
        sel.CurrentButton = page;
        sel.CurrentPage = page;
        EndManualControl();
        AsPushButton(PlayListButton)->setEnabled(true);
        board.LastPageOfGroup[static_cast<std::size_t>(sel.CurrentGroup)] = page;
        PageEditAdding = Board::IsBlank(pageButton->text());
        if (board.EditMode) {
            sel.PopupGroup = sel.CurrentGroup;
            sel.PopupPage = page;
            OpenPageEditor();
            return true;
        }
        if (!Board::IsBlank(pageButton->text())) {
            ShowNamedPage(page);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ProcessPageButton"));
        return false;
    }
    return true;
}

void TForm1::OpenPageEditor()
{
    Windows().ShowFormChangePageButton();
}

void TForm1::ShowNamedPage(int page)
{
    const Settings& s = ctx_.settings;
    const Board& board = ctx_.board;
    const int group = ctx_.selection.CurrentGroup;
    for (int n = 1; n <= PageButtonSlots; ++n) {
        const TColor pageColor = board.PageColor[group][n];
        SetFace(PageButtons[static_cast<std::size_t>(n)], pageColor != 0 ? pageColor : s.ButtonColor);
    }
    PaintGroupButtons(group);
    TBitBtnWithColor* chosen = PageButtons[static_cast<std::size_t>(page)];
    SetFace(chosen, s.ActiveButtonColor);
    const QString caption = AsPushButton(chosen)->text();
    lblPage->setText(caption);
    ctx_.tracer.WriteTracer(QStringLiteral("Page Button Clicked - ") + caption);
    ApplyPlayListFlags(page);
    LoadButtons();
}

void TForm1::ApplyPlayListFlags(int page)
{
    Settings& s = ctx_.settings;
    const Board& board = ctx_.board;
    const int group = ctx_.selection.CurrentGroup;
    if (board.PagePlay[group][page] != QStringLiteral("T")) {
        SetFace(PlayListButton, s.ButtonColor);
        SetFace(RapidFireButton, s.ButtonColor);
        PlayListMode = false;
        s.Shuffle = false;
        AsPushButton(ShuffleButton)->setEnabled(false);
        AsPushButton(RapidFireButton)->setEnabled(false);
    } else {
        SetFace(PlayListButton, s.ActiveButtonColor);
        PlayListMode = true;
        AsPushButton(RapidFireButton)->setEnabled(true);
        AsPushButton(ShuffleButton)->setEnabled(true);
        SetFace(RapidFireButton,
                board.RapidFire[group][page] == QStringLiteral("T") ? s.ActiveButtonColor : s.ButtonColor);
    }
    if (board.PageShuffle[group][page] != QStringLiteral("T")) {
        SetFace(ShuffleButton, s.ButtonColor);
        s.Shuffle = false;
    } else {
        SetFace(ShuffleButton, s.ActiveButtonColor);
        s.Shuffle = true;
        AsPushButton(NextButton)->setEnabled(true);
    }
}

bool TForm1::PlayListNextPage()
{
    Selection& sel = ctx_.selection;
    const int startPage = sel.CurrentPage;
    try {
        for (int page = startPage + 1; page <= PageButtonSlots; ++page) {
            const bool named = !Board::IsBlank(AsPushButton(PageButtons[static_cast<std::size_t>(page)])->text());
            if (named && ctx_.board.PagePlay[sel.CurrentGroup][page] == QStringLiteral("T")) {
                ProcessPageButton(page);
                FocusDummy();
                sel.PlayingPage = page;
                return true;
            }
        }
        sel.CurrentPage = startPage;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PlayListNextPage"));
    }
    return false;
}

bool TForm1::StepPage(int direction, const QString& routine)
{
    Selection& sel = ctx_.selection;
    try {
        for (int step = 0; step < PageButtonSlots + 1; ++step) {
            sel.CurrentPage += direction;
            if (sel.CurrentPage < 1) {
                sel.CurrentPage = PageButtonSlots;
            } else if (sel.CurrentPage > PageButtonSlots) {
                sel.CurrentPage = 1;
            }
            const auto i = static_cast<std::size_t>(sel.CurrentPage);
            if (AsPushButton(PageButtons[i])->text() != BlankPageCaption) {
                ProcessPageButton(sel.CurrentPage);
                FocusDummy();
                break;
            }
        }
    } catch (const std::exception&) {
        ShowError(routine);
    }
    return false;
}

bool TForm1::PrevPage()
{
    return StepPage(-1, QStringLiteral("PrevPage"));
}

bool TForm1::NextPage()
{
    return StepPage(1, QStringLiteral("NextPage"));
}

void TForm1::FormResetClick()
{
    RestoreDesignWindow();
}

void TForm1::FormRestoreClick()
{
    RestoreDesignLayout();
    setWindowState(Qt::WindowMinimized);
    setWindowState(Qt::WindowMaximized);
}

void TForm1::RestoreDesignLayout()
{
    GTForm1->RestoreDesignLayout();
}

void TForm1::RestoreDesignWindow()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    }
    RestoreDesignLayout();
}

void TForm1::GTForm1GTOnResize()
{
    if (!created_) {
        return;
    }
    try {
        for (int n = 1; n <= SlotCount; ++n) {
            ApplySoundFont(n, false);
        }
        for (int page = 1; page <= PageButtonSlots; ++page) {
            const auto i = static_cast<std::size_t>(page);
            QPushButton* button = AsPushButton(PageButtons[i]);
            ApplyPageButtonFont(page);
            if (button->text() != BlankPageCaption) {
                button->setToolTip(QStringLiteral("Right Click to Modify Page"));
            } else {
                SetButtonFontColor(PageButtons[i], clSilver);
                button->setToolTip(QStringLiteral("Right Click to Add Page"));
            }
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("GTOForm1GTOResize"));
    }
}
