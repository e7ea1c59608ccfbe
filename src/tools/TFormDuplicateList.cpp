#include "tools/TFormDuplicateList.h"

#include "board/MainForm.h"
#include "board/Selection.h"
#include "platform/Dialogs.h"
#include "tools/DuplicateCheck.h"
#include "tools/StringGrid.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormDuplicateList::TFormDuplicateList(TForm1* mainForm)
    : ListWindow(mainForm, QStringLiteral("FormDuplicateList"), QStringLiteral("Duplicate(s) List"))
{
    Grid->setObjectName(QStringLiteral("DuplicateGrid"));
    CountLabel->setObjectName(QStringLiteral("SoundButtons"));
    SoundButtons = CountLabel;
    SortedLabel = new QLabel(this);
    SortedLabel->setObjectName(QStringLiteral("SortedLabel"));
    ProcessingLabel = new QLabel(QStringLiteral("Processing"), this);
    ProcessingLabel->setObjectName(QStringLiteral("ProcessingLabel"));
    ProcessingLabel->hide();
    layout_->insertWidget(1, SortedLabel);
    layout_->insertWidget(2, ProcessingLabel);
    PrintButton = AddButton("PrintButton", QStringLiteral("Print"));
    CloseButton = AddButton("CloseButton", QStringLiteral("Close"));
    Grid->SetColumns({{QStringLiteral("Count"), 50},
                      {QStringLiteral("Hot Key"), 75},
                      {QStringLiteral("Group"), 50},
                      {QStringLiteral("Page"), 120},
                      {QStringLiteral("Sound Button"), 150},
                      {QStringLiteral("File Path"), 300},
                      {QStringLiteral("nGroup"), 40},
                      {QStringLiteral("nPage"), 40},
                      {QStringLiteral("nButton"), 40}});
    connect(PrintButton, &QPushButton::clicked, this, &TFormDuplicateList::PrintButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TFormDuplicateList::CloseButtonClick);
}

bool TFormDuplicateList::Prepare()
{
    rows_ = CollectSoundButtonRows(ctx_.board);
    ctx_.selection.ListRowCount = static_cast<int>(rows_.size());
    if (rows_.empty()) {
        ctx_.dialogs.MessageDlg(QStringLiteral("NO Duplicate Sound Buttons Found"), mtInformation, mbOK);
        return false;
    }
    setWindowTitle(QStringLiteral("Duplicate(s) Sound Button List"));
    FormActivate();
    return true;
}

int TFormDuplicateList::ShowModal()
{
    return Prepare() ? exec() : 0;
}

void TFormDuplicateList::FormActivate()
{
    Grid->hide();
    ProcessingLabel->show();
    SoundButtons->setText(QString::number(rows_.size()) + QStringLiteral(" Sound Buttons"));
    CloseButton->setEnabled(false);
    PrintButton->setEnabled(false);
    SortedLabel->setText(QStringLiteral("Clearing Grid"));
    DuplicateList list;
    RunBusy([&] { list = BuildDuplicateList(rows_); });
    DuplicateRowCount = static_cast<int>(list.gridRows.size());
    Grid->SetRows(std::move(list.gridRows));
    ProcessingLabel->hide();
    Grid->show();
    CloseButton->setEnabled(true);
    PrintButton->setEnabled(true);
    SortedLabel->setText(QString::number(list.duplicates) + QStringLiteral(" Duplicates Found"));
}

void TFormDuplicateList::PrintButtonClick()
{
    if (AskPrinter()) {
        PrintRows(Grid->Rows(), DuplicatePrintLayout());
    }
}

void TFormDuplicateList::CloseButtonClick()
{
    done(1);
}
