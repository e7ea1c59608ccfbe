#include "tools/TFormRoster.h"

#include "platform/Dialogs.h"
#include "tools/EditSwapDrag.h"
#include "tools/GameDayWidgets.h"
#include "tools/LineupFiles.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

FileDialogOptions RosterDialog(const QString& title, const QString& fileName)
{
    FileDialogOptions options;
    options.Title = title;
    options.Filter = QStringLiteral("Roster File (*.ros)|*.ros|All Files (*.*)|*.*");
    options.DefaultExt = QStringLiteral("ros");
    options.FileName = fileName;
    return options;
}

} // namespace

TFormRoster::TFormRoster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRoster"));
    setWindowTitle(QStringLiteral("Team Roster"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    TeamName = new QLineEdit(this);
    TeamName->setObjectName(QStringLiteral("TeamName"));
    grid->addWidget(TeamName, 0, 0, 1, 4);
    auto* drag = new EditSwapDrag(this);
    for (int n = 1; n <= RosterEntryCount; ++n) {
        const int column = (n - 1) / 16;
        const int row = 1 + (n - 1) % 16;
        grid->addWidget(GameDayLabel(this, QStringLiteral("RosterLabel%1").arg(n), QString::number(n)), row,
                        column * 2);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Roster%1").arg(n, 2, 10, QLatin1Char('0')));
        Roster[static_cast<std::size_t>(n)] = edit;
        drag->Watch(edit);
        grid->addWidget(edit, row, column * 2 + 1);
    }
    auto* load = GameDayButton(this, QStringLiteral("RosterLoadButton"), QStringLiteral("Load"));
    auto* save = GameDayButton(this, QStringLiteral("RosterSaveButton"), QStringLiteral("Save"));
    auto* cancel = GameDayButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    grid->addWidget(load, 17, 0, 1, 2);
    grid->addWidget(save, 17, 2);
    grid->addWidget(cancel, 17, 3);
    connect(load, &QPushButton::clicked, this, &TFormRoster::RosterLoadButtonClick);
    connect(save, &QPushButton::clicked, this, &TFormRoster::RosterSaveButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TFormRoster::CancelButtonClick);
}

Dialogs& TFormRoster::dialogs() const
{
    return dialogs_ != nullptr ? *dialogs_ : CurrentDialogs();
}

void TFormRoster::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Back from being minimised is the window system's show: what was typed stays; only the
    // operator's opening starts an empty list.
    if (!event->spontaneous()) {
        FormRosterShow();
    }
}

void TFormRoster::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        CancelButtonClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormRoster::FormRosterShow()
{
    RosterEntries.fill(QString());
    TeamName->clear();
    for (int n = 1; n <= RosterEntryCount; ++n) {
        Roster[static_cast<std::size_t>(n)]->clear();
    }
}

void TFormRoster::RosterLoadButtonClick()
{
    QString fileName;
    // A cancelled dialog leaves the list as it is.
    if (!dialogs().OpenFileDialog(RosterDialog(QStringLiteral("Load Roster"), QString()), fileName)) {
        return;
    }
    LastRosterFile = fileName;
    const RosterFileData roster = ReadRosterFile(LastRosterFile);
    TeamName->setText(roster.TeamName);
    for (int n = 1; n <= RosterEntryCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        RosterEntries[i] = roster.Entries[i];
        Roster[i]->setText(roster.Entries[i]);
    }
}

void TFormRoster::RosterSaveButtonClick()
{
    QString fileName;
    if (!dialogs().SaveFileDialog(RosterDialog(QStringLiteral("Save Roster"), LastRosterFile), fileName)) {
        return;
    }
    RosterFileData roster;
    roster.TeamName = TeamName->text();
    for (int n = 1; n <= RosterEntryCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        RosterEntries[i] = Roster[i]->text();
        roster.Entries[i] = RosterEntries[i];
    }
    LastRosterFile = fileName;
    if (!WriteRosterFile(fileName, roster)) {
        dialogs().MessageDlg(QStringLiteral("The roster file could not be written:\r\r") + fileName, mtError,
                             mbOK);
    }
}

void TFormRoster::CancelButtonClick()
{
    hide();
}
