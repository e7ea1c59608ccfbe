#include "editing/TFormAddPlaceMarker.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/Selection.h"
#include "editing/BoardEditing.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButtonText.h"
#include "platform/Dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormAddPlaceMarker::TFormAddPlaceMarker(TForm1* mainForm) : QDialog(mainForm), form_(*mainForm)
{
    setObjectName(QStringLiteral("FormAddPlaceMarker"));
    setWindowTitle(QStringLiteral("Add Place-Marker"));
    BuildLayout();
}

void TFormAddPlaceMarker::BuildLayout()
{
    setFixedSize(260, 150);
    auto* label = new QLabel(QStringLiteral("Place-Marker Caption:"), this);
    label->setGeometry(12, 8, 200, 16);
    PlaceMarkerMemoCaption = new TCaptionMemo(CaptionLength, this);
    PlaceMarkerMemoCaption->setObjectName(QStringLiteral("PlaceMarkerMemoCaption"));
    PlaceMarkerMemoCaption->setGeometry(12, 26, 236, 70);
    PlaceMarkerMemoCaption->setTabChangesFocus(true);
    PlaceMarkerCaption = new QLineEdit(this);
    PlaceMarkerCaption->setObjectName(QStringLiteral("PlaceMarkerCaption"));
    PlaceMarkerCaption->hide();
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(40, 110, 80, 26);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(140, 110, 80, 26);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
}

int TFormAddPlaceMarker::ShowModal()
{
    LoadPlaceMarker();
    return exec();
}

void TFormAddPlaceMarker::Open()
{
    LoadPlaceMarker();
    open();
}

void TFormAddPlaceMarker::LoadPlaceMarker()
{
    const MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    if (form_.PlaceMarkerMode == QStringLiteral("Edit")) {
        setWindowTitle(QStringLiteral("Edit Place-Marker"));
        const bool valid = Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, sel.PopupButton);
        PlaceMarkerMemoCaption->SetText(
            valid ? MemoTextOfCaption(ctx.board.ButtonCaption[sel.PopupGroup][sel.PopupPage][sel.PopupButton])
                  : QString());
    } else {
        setWindowTitle(QStringLiteral("Add Place-Marker"));
        PlaceMarkerMemoCaption->SetText(QString());
    }
    PlaceMarkerMemoCaption->setFocus();
}

void TFormAddPlaceMarker::OKButtonClick()
{
    MainFormContext& ctx = form_.Context();
    const Selection& sel = ctx.selection;
    const int g = sel.PopupGroup;
    const int p = sel.PopupPage;
    const int b = sel.PopupButton;
    const QString caption = BoardCaptionOfMemo(PlaceMarkerMemoCaption->Text());
    if (Board::IsBlank(caption) || !Board::IsValidAddress(g, p, b)) {
        done(mrCancel);
        return;
    }
    if (BoardEditing::RefuseCellWhilePlaying(form_, g, p, b)) {
        done(mrCancel);
        return;
    }
    Board& board = ctx.board;
    board.ButtonCaption[g][p][b] = caption;
    board.ButtonFile[g][p][b] = QStringLiteral(" ");
    board.ButtonState[g][p][b] = bstPlaceMarker;
    board.ButtonNote[g][p][b].clear();
    // A marker plays nothing, so a hot key left on it would stop a play list with a dead key.
    board.ButtonHotKey[g][p][b].clear();
    board.ButtonHotKeyInfo[g][p][b].clear();
    board.BoardChanged = true;
    BoardEditing::ShowCellChanged(form_, g, p, b);
    done(mrOk);
}

void TFormAddPlaceMarker::CancelButtonClick()
{
    done(mrCancel);
}

void TFormAddPlaceMarker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        done(mrCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormAddPlaceMarker::reject()
{
    done(mrCancel);
}
