#include "tools/TFormHotKey.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "tools/StringGrid.h"

#include <QLabel>
#include <QPushButton>

TFormHotKey::TFormHotKey(TForm1* mainForm)
    : ListWindow(mainForm, QStringLiteral("FormHotKey"),
                 QStringLiteral("Hot Key List in Group/Page Sequence"))
{
    HotKeySeqButton = AddSortButton("HotKeySeqButton", QStringLiteral("Hot Key Sequence"));
    GroupPageSeqButton = AddSortButton("GroupPageSeqButton", QStringLiteral("Group/Page Sequence"));
    SoundSeqButton = AddSortButton("SoundSeqButton", QStringLiteral("Alphabetical (Sound Button)"));
    PrintButton = AddButton("PrintButton", QStringLiteral("Print"));
    HotKeyOKButton = AddButton("HotKeyOKButton", QStringLiteral("Close"));
    Grid->SetColumns({{QStringLiteral("Count"), 50},
                      {QStringLiteral("Hot Key"), 100},
                      {QStringLiteral("Group"), 50},
                      {QStringLiteral("Page"), 120},
                      {QStringLiteral("Sound Button"), 250}});
    connect(AsPushButton(HotKeySeqButton), &QPushButton::clicked, this, &TFormHotKey::HotKeySeqButtonClick);
    connect(AsPushButton(GroupPageSeqButton), &QPushButton::clicked, this,
            &TFormHotKey::GroupPageSeqButtonClick);
    connect(AsPushButton(SoundSeqButton), &QPushButton::clicked, this, &TFormHotKey::SoundSeqButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TFormHotKey::PrintButtonClick);
    connect(HotKeyOKButton, &QPushButton::clicked, this, &TFormHotKey::HotKeyOKButtonClick);
}

bool TFormHotKey::Prepare()
{
    rows_ = CollectHotKeyRows(ctx_.board);
    ctx_.selection.ListRowCount = static_cast<int>(rows_.size());
    ShowKeyRows(rows_);
    CountLabel->setText(QString::number(rows_.size()) + QStringLiteral(" Hot Keys Found"));
    FormActivate();
    return true;
}

int TFormHotKey::ShowModal()
{
    Prepare();
    return exec();
}

void TFormHotKey::FormActivate()
{
    setWindowTitle(QStringLiteral("Hot Key List in Group/Page Sequence"));
    MarkSortButton(GroupPageSeqButton);
}

void TFormHotKey::GroupPageSeqButtonClick()
{
    setWindowTitle(QStringLiteral("Hot Key List in Group/Page Sequence"));
    MarkSortButton(GroupPageSeqButton);
    ShowKeyRows(rows_);
}

void TFormHotKey::HotKeySeqButtonClick()
{
    setWindowTitle(QStringLiteral("Hot Key List in Hot Key Sequence"));
    MarkSortButton(HotKeySeqButton);
    RunBusy([this] { ShowKeyRows(SortedByHotKey(rows_)); });
}

void TFormHotKey::SoundSeqButtonClick()
{
    setWindowTitle(QStringLiteral("Hot Key List in Sound Button Sequence"));
    MarkSortButton(SoundSeqButton);
    RunBusy([this] { ShowKeyRows(SortedByCaption(rows_)); });
}

void TFormHotKey::PrintButtonClick()
{
    if (AskPrinter()) {
        PrintRows(Grid->Rows(), HotKeyPrintLayout());
    }
}

void TFormHotKey::HotKeyOKButtonClick()
{
    done(1);
}
