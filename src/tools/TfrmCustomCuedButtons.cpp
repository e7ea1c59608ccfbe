#include "tools/TfrmCustomCuedButtons.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "platform/Dialogs.h"
#include "tools/StringGrid.h"

#include <QLabel>
#include <QPushButton>

TfrmCustomCuedButtons::TfrmCustomCuedButtons(TForm1* mainForm)
    : ListWindow(mainForm, QStringLiteral("frmCustomCuedButtons"),
                 QStringLiteral("Custom Cued Buttons List in Group/Page Sequence"))
{
    GroupPageSeqButton = AddSortButton("GroupPageSeqButton", QStringLiteral("Group/Page Sequence"));
    SoundSeqButton = AddSortButton("SoundSeqButton", QStringLiteral("Alphabetical (Sound Button)"));
    PrintButton = AddButton("PrintButton", QStringLiteral("Print"));
    CustomCueOKButton = AddButton("CustomCueOKButton", QStringLiteral("Close"));
    Grid->SetColumns({{QStringLiteral("Count"), 50},
                      {QStringLiteral("Hot Key"), 75},
                      {QStringLiteral("Group"), 50},
                      {QStringLiteral("Page"), 160},
                      {QStringLiteral("Sound Button"), 200}});
    MarkSortButton(GroupPageSeqButton);
    connect(AsPushButton(GroupPageSeqButton), &QPushButton::clicked, this,
            &TfrmCustomCuedButtons::GroupPageSeqButtonClick);
    connect(AsPushButton(SoundSeqButton), &QPushButton::clicked, this,
            &TfrmCustomCuedButtons::SoundSeqButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TfrmCustomCuedButtons::PrintButtonClick);
    connect(CustomCueOKButton, &QPushButton::clicked, this, &TfrmCustomCuedButtons::CustomCueOKButtonClick);
}

bool TfrmCustomCuedButtons::Prepare()
{
    rows_ = CollectCustomCuedRows(ctx_.board);
    ctx_.selection.ListRowCount = static_cast<int>(rows_.size());
    if (rows_.empty()) {
        ctx_.dialogs.MessageDlg(QStringLiteral("NO Custom Cued Buttons Found"), mtInformation, mbOK);
        return false;
    }
    CountLabel->setText(QString::number(rows_.size()) + QStringLiteral(" Custom Cue Buttons Found"));
    // The caption and marking keep the order chosen last, so the rows are shown in it too.
    if (alphabetical_) {
        SoundSeqButtonClick();
    } else {
        GroupPageSeqButtonClick();
    }
    return true;
}

int TfrmCustomCuedButtons::ShowModal()
{
    return Prepare() ? exec() : 0;
}

void TfrmCustomCuedButtons::GroupPageSeqButtonClick()
{
    alphabetical_ = false;
    setWindowTitle(QStringLiteral("Custom Cued Buttons List in Group/Page Sequence"));
    MarkSortButton(GroupPageSeqButton);
    ShowKeyRows(rows_);
}

void TfrmCustomCuedButtons::SoundSeqButtonClick()
{
    alphabetical_ = true;
    setWindowTitle(QStringLiteral("Custom Cued Buttons List in Sound Button Sequence"));
    MarkSortButton(SoundSeqButton);
    RunBusy([this] { ShowKeyRows(SortedByCaption(rows_)); });
}

void TfrmCustomCuedButtons::PrintButtonClick()
{
    if (AskPrinter()) {
        PrintRows(Grid->Rows(), HotKeyPrintLayout());
    }
}

void TfrmCustomCuedButtons::CustomCueOKButtonClick()
{
    done(1);
}
