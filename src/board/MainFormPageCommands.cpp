// The commands of the page menu that act on one page button: add, edit and delete a page.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPushButton>

#include <exception>

void TForm1::PopupPageAddClick()
{
    Selection& sel = ctx_.selection;
    const int page = sel.PopupPage;
    if (page < 1 || page > PageButtonSlots) {
        return;
    }
    PageEditAdding = true;
    sel.CurrentButton = page;
    if (Windows().ShowFormChangePageButton() != mrOk) {
        return;
    }
    const Settings& s = ctx_.settings;
    TBitBtnWithColor* button = PageButtons[static_cast<std::size_t>(page)];
    AsPushButton(button)->show();
    ctx_.board.PageColor[sel.PopupGroup][page] = s.LastSoundButtonColor;
    SetFace(button, s.LastSoundButtonColor);
    SetButtonFontColor(button, s.PageFontColor);
    AsPushButton(button)->setToolTip(QStringLiteral("Right Click to Modify Page"));
    ProcessPageButton(page);
}

void TForm1::PopupPageEdit1Click()
{
    PageEditAdding = false;
    Windows().ShowFormChangePageButton();
}

void TForm1::PopupPageDeleteClick()
{
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        const int g = sel.PopupGroup;
        const int page = sel.PopupPage;
        if (page < 1 || page > PageButtonSlots) {
            return;
        }
        ProcessPageButton(page);
        const QString question =
            QStringLiteral("Delete Page \"") + board.PageName[g][page] + QStringLiteral("\"?");
        if (ctx_.dialogs.MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        ctx_.tracer.WriteTracer(QStringLiteral("PopupPageDeleteClick - Page Deleted - Group %1 Page %2 %3")
                                    .arg(g)
                                    .arg(page)
                                    .arg(board.PageName[g][page]));
        const Settings& s = ctx_.settings;
        board.PageName[g][page] = QStringLiteral(" ");
        TBitBtnWithColor* button = PageButtons[static_cast<std::size_t>(page)];
        AsPushButton(button)->setText(QStringLiteral("(Blank Page)"));
        SetButtonFontColor(button, clSilver);
        AsPushButton(button)->setToolTip(QStringLiteral("Right Click to Add Page"));
        SetFace(button, s.ButtonColor);
        board.PageColor[g][page] = 0;
        lblPage->clear();
        LabelPageTotals->clear();
        board.BoardChanged = true;
        TSoundButtonCell cleared;
        cleared.ButtonCaption = cleared.ButtonFile = cleared.ButtonTime = cleared.ButtonNote =
            QStringLiteral(" ");
        for (int n = 1; n <= SlotCount; ++n) {
            board.SetCell(g, page, n, cleared);
            ShowSlotEmpty(n);
        }
        RecolourPageButtons(g);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PopupPageDeleteClick"));
    }
}

void TForm1::RecolourPageButtons(int group)
{
    const TColor plain = ctx_.settings.ButtonColor;
    for (int page = 1; page <= PageButtonSlots; ++page) {
        const TColor color = ctx_.board.PageColor[group][page];
        SetFace(PageButtons[static_cast<std::size_t>(page)], color != 0 ? color : plain);
    }
}
