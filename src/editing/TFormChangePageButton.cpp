#include "editing/TFormChangePageButton.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "editing/BoardEditing.h"
#include "editing/ChangeSoundButtonText.h"
#include "platform/Dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormChangePageButton::TFormChangePageButton(TForm1* mainForm) : QDialog(mainForm), form_(*mainForm)
{
    setObjectName(QStringLiteral("FormChangePageButton"));
    setWindowTitle(QStringLiteral("Change Page Button"));
    BuildLayout();
}

void TFormChangePageButton::BuildLayout()
{
    setFixedSize(250, 110);
    label_ = new QLabel(QStringLiteral("Page Name: "), this);
    label_->setGeometry(12, 10, 200, 16);
    NewPageName = new QLineEdit(this);
    NewPageName->setObjectName(QStringLiteral("NewPageName"));
    NewPageName->setGeometry(12, 28, 226, 22);
    label_->setBuddy(NewPageName);
    auto makeButton = [this](const char* name, const QString& caption, int x) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 70, 70, 26);
        button->setAutoDefault(false);
        return button;
    };
    PageOKButton = makeButton("PageOKButton", QStringLiteral("OK"), 12);
    PageDeleteButton = makeButton("PageDeleteButton", QStringLiteral("Delete"), 90);
    PageCancelButton = makeButton("PageCancelButton", QStringLiteral("Cancel"), 168);
    PageOKButton->setDefault(true);
    connect(PageOKButton, &QPushButton::clicked, this, [this] { PageOKButtonClick(); });
    connect(PageDeleteButton, &QPushButton::clicked, this, [this] { PageDeleteButtonClick(); });
    connect(PageCancelButton, &QPushButton::clicked, this, [this] { PageCancelButtonClick(); });
}

int TFormChangePageButton::ShowModal()
{
    load();
    return exec();
}

void TFormChangePageButton::Open()
{
    load();
    open();
}

void TFormChangePageButton::load()
{
    const MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (form_.PageEditAdding) {
        setWindowTitle(QStringLiteral("Add Page Button"));
        NewPageName->setText(QStringLiteral(" "));
    } else {
        setWindowTitle(QStringLiteral("Change Page Button"));
        // The page's stored name rather than the button's caption: a blank page's button reads
        // "(Blank Page)", which is no name.
        const bool hasButton = sel.PopupPage >= 1 && sel.PopupPage <= PageButtonCount;
        NewPageName->setText(hasButton ? ctx.board.PageName[sel.PopupGroup][sel.PopupPage] : QString());
    }
    NewPageName->setFocus();
    NewPageName->selectAll();
}

void TFormChangePageButton::PageOKButtonClick()
{
    MainFormContext& ctx = form_.Context();
    Selection& sel = ctx.selection;
    Board& board = ctx.board;
    // The "&" goes first: a name of a lone "&" would otherwise pass as a name and leave the page
    // blank, and a blank page's buttons are not written to the set file.
    const QString name = RemoveFirstAmpersand(NewPageName->text());
    NewPageName->setText(name);
    const int g = sel.PopupGroup;
    const int p = sel.PopupPage;
    if (Board::IsBlank(name) || p < 1 || p > PageCount) {
        sel.CurrentButton = p;
        done(mrOk);
        return;
    }
    board.PageName[g][p] = name;
    // Only a new page takes the last colour; a renamed page keeps its own.
    if (form_.PageEditAdding) {
        board.PageColor[g][p] = ctx.settings.LastSoundButtonColor;
    }
    board.BoardChanged = true;
    if (p <= PageButtonCount && g == sel.CurrentGroup) {
        // A new page shows its colour at once; a renamed one keeps the face it shows.
        BoardEditing::ShowPageButton(form_, p, form_.PageEditAdding);
        if (sel.CurrentPage == p) {
            form_.lblPage->setText(name);
        }
    }
    done(mrOk);
}

void TFormChangePageButton::PageDeleteButtonClick()
{
    MainFormContext& ctx = form_.Context();
    const int g = ctx.selection.PopupGroup;
    const int p = ctx.selection.PopupPage;
    if (p < 1 || p > PageButtonCount || Board::IsBlank(ctx.board.PageName[g][p])) {
        done(mrCancel);
        return;
    }
    const QString question =
        QStringLiteral("Delete Page \"") + ctx.board.PageName[g][p] + QStringLiteral("\"?");
    if (ctx.dialogs.MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) {
        done(mrOk);
        return;
    }
    if (BoardEditing::RefusePageWhilePlaying(form_, g, p)) {
        done(mrCancel);
        return;
    }
    DeletePage(g, p);
    done(mrOk);
}

void TFormChangePageButton::DeletePage(int group, int page)
{
    MainFormContext& ctx = form_.Context();
    Board& board = ctx.board;
    ctx.tracer.WriteTracer(QStringLiteral("PageDeleteButtonClick - Page Deleted - Group %1 Page %2 %3")
                               .arg(group)
                               .arg(page)
                               .arg(board.PageName[group][page]));
    board.PageName[group][page] = QStringLiteral(" ");
    board.BoardChanged = true;
    // Flags, page colour and the cells' colours stay, as they do for a page named again; the
    // volume and loop marks and the custom cue go with the sounds they belonged to (a file
    // dropped there later must not play from the old sound's points).
    for (int b = 1; b <= ButtonCount; ++b) {
        board.ButtonCaption[group][page][b] = QStringLiteral(" ");
        board.ButtonFile[group][page][b] = QStringLiteral(" ");
        board.ButtonTime[group][page][b] = QStringLiteral(" ");
        board.ButtonNote[group][page][b] = QStringLiteral(" ");
        board.ButtonState[group][page][b] = bstUnplayed;
        board.ButtonHotKey[group][page][b].clear();
        board.ButtonHotKeyInfo[group][page][b].clear();
        board.ButtonVolume[group][page][b].clear();
        board.ButtonLoop[group][page][b].clear();
        board.ButtonCustomCue[group][page][b] = QStringLiteral("N");
        board.ButtonCueStart[group][page][b] = 0;
        board.ButtonCueEnd[group][page][b] = 0;
    }
    BoardEditing::ShowPageEmptied(form_, group, page);
}

void TFormChangePageButton::PageCancelButtonClick()
{
    Selection& sel = form_.Context().selection;
    sel.CurrentButton = sel.PopupPage;
    done(mrCancel);
}

void TFormChangePageButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        Selection& sel = form_.Context().selection;
        sel.CurrentButton = sel.CurrentPage;
        done(mrCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormChangePageButton::reject()
{
    done(mrCancel);
}
