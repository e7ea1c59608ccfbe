#include "tools/TButtonList.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "platform/Dialogs.h"
#include "tools/StringGrid.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtPrintSupport/QPrinter>

namespace {

std::vector<GridColumn> SoundColumns()
{
    return {{QStringLiteral("Count"), 50},         {QStringLiteral("Hot Key"), 75},
            {QStringLiteral("Group"), 50},         {QStringLiteral("Page"), 120},
            {QStringLiteral("Sound Button"), 150}, {QStringLiteral("File Path"), 300},
            {QStringLiteral("nGroup"), 40},        {QStringLiteral("nPage"), 40},
            {QStringLiteral("nButton"), 40}};
}

std::vector<GridColumn> MissingColumns()
{
    return {{QStringLiteral("Count"), 50},      {QStringLiteral("Group"), 50},
            {QStringLiteral("Page"), 120},      {QStringLiteral("Sound Button"), 150},
            {QStringLiteral("File Path"), 300}, {QStringLiteral("nGroup"), 40},
            {QStringLiteral("nPage"), 40},      {QStringLiteral("nButton"), 40}};
}

} // namespace

TButtonList::TButtonList(TForm1* mainForm)
    : ListWindow(mainForm, QStringLiteral("ButtonList"),
                 QStringLiteral("Sound Button List in Group/Page Sequence")),
      FileExists([](const QString& path) { return QFileInfo(path).isFile(); })
{
    Grid->setObjectName(QStringLiteral("ButtonGrid"));
    ProgressLabel = new QLabel(this);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->hide();
    layout_->insertWidget(1, ProgressLabel);
    GroupPageSeqButton = AddSortButton("GroupPageSeqButton", QStringLiteral("Group/Page Sequence"));
    SoundSeqButton = AddSortButton("SoundSeqButton", QStringLiteral("Alphabetical (Sound Button)"));
    PrintButton = AddButton("PrintButton", QStringLiteral("Print"));
    CloseButton = AddButton("CloseButton", QStringLiteral("Close"));
    connect(AsPushButton(GroupPageSeqButton), &QPushButton::clicked, this,
            &TButtonList::GroupPageSeqButtonClick);
    connect(AsPushButton(SoundSeqButton), &QPushButton::clicked, this, &TButtonList::SoundSeqButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TButtonList::PrintButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TButtonList::CloseButtonClick);
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TButtonList::ButtonGridDblClick);
    connect(Grid, &TStringGrid::keyReleased, this, &TButtonList::ButtonGridKeyUp);
}

bool TButtonList::Prepare()
{
    invalidMode_ = main_.ButtonListInvalidMode;
    Selection& sel = ctx_.selection;
    if (invalidMode_) {
        rows_ = CollectMissingFileRows(ctx_.board, FileExists);
    } else {
        rows_ = CollectSoundButtonRows(ctx_.board);
        sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
    }
    sel.ListRowCount = static_cast<int>(rows_.size());
    if (rows_.empty()) {
        ctx_.dialogs.MessageDlg(invalidMode_ ? QStringLiteral("All Sound Buttons Valid")
                                             : QStringLiteral("NO Sound Buttons Found"),
                                mtInformation, mbOK);
        return false;
    }
    Grid->SetColumns(invalidMode_ ? MissingColumns() : SoundColumns());
    AsPushButton(GroupPageSeqButton)->setVisible(!invalidMode_);
    AsPushButton(SoundSeqButton)->setVisible(!invalidMode_);
    CountLabel->setText(QString::number(rows_.size()) + (invalidMode_
                                                             ? QStringLiteral(" Invalid Sound Buttons Found")
                                                             : QStringLiteral(" Sound Buttons Found")));
    ShowRows(rows_);
    FormActivate();
    return true;
}

int TButtonList::ShowModal()
{
    return Prepare() ? exec() : 0;
}

void TButtonList::FormActivate()
{
    setWindowTitle(invalidMode_ ? QStringLiteral("Invalid Sound Buttons")
                                : QStringLiteral("Sound Button List in Group/Page Sequence"));
    MarkSortButton(GroupPageSeqButton);
}

void TButtonList::ShowRows(const std::vector<ListRow>& rows)
{
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    int n = 0;
    for (const ListRow& r : rows) {
        QStringList row{CountText(++n)};
        if (!invalidMode_) {
            row.append(r.hotKey);
        }
        row << r.groupLetter << r.pageName << r.caption << r.filePath << QString::number(r.group)
            << QString::number(r.page) << QString::number(r.button);
        cells.push_back(std::move(row));
    }
    Grid->SetRows(std::move(cells));
}

void TButtonList::GroupPageSeqButtonClick()
{
    setWindowTitle(QStringLiteral("Sound Button List in Group/Page Sequence"));
    MarkSortButton(GroupPageSeqButton);
    RunBusy([this] { ShowRows(rows_); });
}

void TButtonList::SoundSeqButtonClick()
{
    setWindowTitle(QStringLiteral("Sound Button List in Sound Button Sequence"));
    MarkSortButton(SoundSeqButton);
    CloseButton->setEnabled(false);
    ProgressLabel->setText(QStringLiteral("Clearing Grid"));
    ProgressLabel->show();
    RunBusy([this] {
        const std::vector<ListRow> sorted = SortedByCaption(rows_);
        ShowRows(sorted);
        ProgressLabel->setText(QString::number(sorted.size()) + QStringLiteral(" Sound Buttons Sorted"));
    });
    ProgressLabel->hide();
    CloseButton->setEnabled(true);
}

void TButtonList::TakeTarget()
{
    const int row = Grid->Row();
    if (row < 1) {
        return;
    }
    // The number columns: 6..8 in the sound-button list, 5..7 in the missing-file list.
    const int first = invalidMode_ ? 5 : 6;
    Selection& sel = ctx_.selection;
    sel.ListTargetGroup = Grid->Cell(first, row).toInt();
    sel.ListTargetPage = Grid->Cell(first + 1, row).toInt();
    sel.ListTargetButton = Grid->Cell(first + 2, row).toInt();
}

void TButtonList::ButtonGridDblClick()
{
    if (Busy()) {
        return;
    }
    TakeTarget();
    done(1);
}

void TButtonList::ButtonGridKeyUp()
{
    TakeTarget();
}

void TButtonList::CloseButtonClick()
{
    Selection& sel = ctx_.selection;
    sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
    done(1);
}

void TButtonList::EscapePressed()
{
    // Esc leaves without a choice: a row merely moved to with the arrows never plays mid-show.
    Selection& sel = ctx_.selection;
    sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
    done(2);
}

void TButtonList::PrintButtonClick()
{
    if (!AskPrinter()) {
        return;
    }
    const bool landscape = Printer().pageLayout().orientation() == QPageLayout::Landscape;
    PrintRows(Grid->Rows(),
              invalidMode_ ? MissingFilePrintLayout(landscape) : SoundButtonPrintLayout(landscape));
}
