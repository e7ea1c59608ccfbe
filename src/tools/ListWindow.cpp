#include "tools/ListWindow.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "tools/StringGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtPrintSupport/QPrinter>

QString CountText(int row)
{
    return QStringLiteral("#") + QString::number(row);
}

ListWindow::ListWindow(TForm1* mainForm, const QString& objectName, const QString& caption)
    : QDialog(mainForm), main_(*mainForm), ctx_(mainForm->Context())
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
    layout_ = new QVBoxLayout(this);
    CountLabel = new QLabel(this);
    layout_->addWidget(CountLabel);
    Grid = new TStringGrid(this);
    Grid->setObjectName(QStringLiteral("StringGrid1"));
    layout_->addWidget(Grid);
    buttons_ = new QHBoxLayout;
    layout_->addLayout(buttons_);
    resize(900, 600);
}

ListWindow::~ListWindow() = default;

QPrinter& ListWindow::Printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

TBitBtnWithColor* ListWindow::AddSortButton(const char* name, const QString& caption)
{
    TBitBtnWithColor* button = NewColorButton(this);
    AsPushButton(button)->setObjectName(QString::fromLatin1(name));
    AsPushButton(button)->setText(caption);
    AsPushButton(button)->setAutoDefault(false);
    buttons_->addWidget(AsPushButton(button));
    sortButtons_.push_back(button);
    return button;
}

QPushButton* ListWindow::AddButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons_->addWidget(button);
    return button;
}

void ListWindow::MarkSortButton(TBitBtnWithColor* active)
{
    for (TBitBtnWithColor* button : sortButtons_) {
        SetFace(button, button == active ? clInfoBk : clBtnFace);
    }
}

void ListWindow::ShowKeyRows(const std::vector<ListRow>& rows)
{
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    int n = 0;
    for (const ListRow& r : rows) {
        cells.push_back({CountText(++n), r.hotKey, r.groupLetter, r.pageName, r.caption});
    }
    Grid->SetRows(std::move(cells));
}

bool ListWindow::AskPrinter()
{
    QPrinter& printer = Printer();
    return ctx_.dialogs.PrinterSetupDialog(printer) && ctx_.dialogs.PrintDialog(printer);
}

int ListWindow::PrintRows(const std::vector<QStringList>& rows, const PrintLayout& layout)
{
    return PrintList(Printer(), windowTitle(), rows, layout, ctx_.clock.Today());
}

void ListWindow::BeginBusy()
{
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ListWindow::EndBusy()
{
    QApplication::restoreOverrideCursor();
    busy_ = false;
}

void ListWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (!busy_) {
            EscapePressed();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void ListWindow::reject()
{
    if (!busy_) {
        EscapePressed();
    }
}

void ListWindow::closeEvent(QCloseEvent* event)
{
    if (busy_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
