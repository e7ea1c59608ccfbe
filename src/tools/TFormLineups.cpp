#include "tools/TFormLineups.h"

#include "board/MainFormButtons.h"
#include "platform/Dialogs.h"
#include "tools/EditSwapDrag.h"
#include "tools/GameDayWidgets.h"
#include "tools/LineupFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

FileDialogOptions FileOptions(const QString& title, const QString& ext, const QString& filter,
                              const QString& fileName)
{
    FileDialogOptions options;
    options.Title = title;
    options.DefaultExt = ext;
    options.Filter = filter;
    options.FileName = fileName;
    return options;
}

const QString kLineupFilter = QStringLiteral("Lineup Files (*.lup)|*.lup|All Files (*.*)|*.*");

} // namespace

const std::array<QString, 11>& TFormLineups::PositionNames()
{
    static const std::array<QString, 11> names{QStringLiteral("Positions"),
                                               QStringLiteral("1 - Pitcher"),
                                               QStringLiteral("2 - Catcher"),
                                               QStringLiteral("3 - First Base"),
                                               QStringLiteral("4 - Second Base"),
                                               QStringLiteral("5 - Third Base"),
                                               QStringLiteral("6 - Short Stop"),
                                               QStringLiteral("7 - Left Field"),
                                               QStringLiteral("8 - Center Field"),
                                               QStringLiteral("9 - Right Field"),
                                               QStringLiteral("10 - Designated Hitter")};
    return names;
}

TFormLineups::TFormLineups(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormLineups"));
    setWindowTitle(QStringLiteral("Lineups"));
    setModal(false);
    // A window of its own rather than a dialog of the board: window managers minimise a dialog
    // together with the window it belongs to, and OK, Cancel and Esc minimise the lineups, which
    // would take the board off the screen with them.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
    BuildControls();
    LineupCreate();
}

void TFormLineups::BuildControls()
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(GameDayLabel(this, QStringLiteral("LabelTitle"), QStringLiteral("Lineups")), 0, 0, 1, 5);
    VisitorName = new QLineEdit(this);
    VisitorName->setObjectName(QStringLiteral("VisitorName"));
    HomeName = new QLineEdit(this);
    HomeName->setObjectName(QStringLiteral("HomeName"));
    grid->addWidget(VisitorName, 1, 1, 1, 2);
    grid->addWidget(HomeName, 1, 3, 1, 2);
    auto* drag = new EditSwapDrag(this);
    drag->Watch(VisitorName);
    drag->Watch(HomeName);
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        grid->addWidget(GameDayLabel(this, QStringLiteral("RowLabel%1").arg(n), QString::number(n)), n + 1,
                        0);
        auto row = [&](const QString& editName, const QString& comboName, int column) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(editName);
            auto* combo = new QComboBox(this);
            combo->setObjectName(comboName);
            combo->setMaxVisibleItems(11);
            drag->Watch(edit);
            grid->addWidget(edit, n + 1, column);
            grid->addWidget(combo, n + 1, column + 1);
            return std::pair{edit, combo};
        };
        const QString two = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        std::tie(Visitor[i], VisitorPosition[i]) = row(
            QStringLiteral("Visitor%1").arg(n), QStringLiteral("v") + two + QStringLiteral("ComboBox"), 1);
        std::tie(Home[i], HomePosition[i]) =
            row(QStringLiteral("Home%1").arg(n), QStringLiteral("h") + two + QStringLiteral("ComboBox"), 3);
    }
    PrecedeCheckBox = new QCheckBox(QStringLiteral("Precede with #"), this);
    PrecedeCheckBox->setObjectName(QStringLiteral("PrecedeCheckBox"));
    grid->addWidget(PrecedeCheckBox, 12, 1);
    auto button = [this](const QString& name, const QString& caption, void (TFormLineups::*handler)()) {
        QPushButton* b = GameDayButton(this, name, caption);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    grid->addWidget(
        button(QStringLiteral("LineupOKButton"), QStringLiteral("OK"), &TFormLineups::LineupOKButtonClick),
        13, 1);
    grid->addWidget(button(QStringLiteral("LineupCancelButton"), QStringLiteral("Cancel"),
                           &TFormLineups::LineupCancelButtonClick),
                    13, 2);
    grid->addWidget(button(QStringLiteral("LineUpTurnOffButton"), QStringLiteral("Turn Off"),
                           &TFormLineups::LineUpTurnOffButtonClick),
                    13, 3);
    grid->addWidget(button(QStringLiteral("LineupLoadButton"), QStringLiteral("Load"),
                           &TFormLineups::LineupLoadButtonClick),
                    14, 1);
    grid->addWidget(button(QStringLiteral("LineupSaveButton"), QStringLiteral("Save"),
                           &TFormLineups::LineupSaveButtonClick),
                    14, 2);
    grid->addWidget(button(QStringLiteral("RetrieveButton"), QStringLiteral("Retrieve"),
                           &TFormLineups::RetrieveButtonClick),
                    14, 3);
    auto rosterButton = [this](const QString& name, const QString& caption, void (TFormLineups::*handler)()) {
        TBitBtnWithColor* b = NewColorButton(this);
        AsPushButton(b)->setObjectName(name);
        AsPushButton(b)->setText(caption);
        SetFace(b, clRed);
        connect(AsPushButton(b), &QPushButton::clicked, this, handler);
        return b;
    };
    LoadVisitorsRosterButton =
        rosterButton(QStringLiteral("LoadVisitorsRosterButton"), QStringLiteral("Visitors"),
                     &TFormLineups::LoadVisitorsRosterButtonClick);
    LoadHomeRosterButton = rosterButton(QStringLiteral("LoadHomeRosterButton"), QStringLiteral("Home"),
                                        &TFormLineups::LoadHomeRosterButtonClick);
    grid->addWidget(AsPushButton(LoadVisitorsRosterButton), 15, 1);
    grid->addWidget(AsPushButton(LoadHomeRosterButton), 15, 3);
}

void TFormLineups::Attach(LineupData& lineups, Dialogs& dialogs, QWidget* mainWindow)
{
    lineups_ = &lineups;
    dialogs_ = &dialogs;
    mainWindow_ = mainWindow;
}

Dialogs& TFormLineups::dialogs() const
{
    return dialogs_ != nullptr ? *dialogs_ : CurrentDialogs();
}

void TFormLineups::LineupCreate()
{
    PrecedeCheckBox->setChecked(true);
    QStringList items;
    for (const QString& name : PositionNames()) {
        items.append(name);
    }
    for (int n = 1; n <= LineupRows; ++n) {
        for (QComboBox* combo :
             {VisitorPosition[static_cast<std::size_t>(n)], HomePosition[static_cast<std::size_t>(n)]}) {
            combo->clear();
            combo->addItems(items);
            combo->setCurrentIndex(0);
        }
    }
}

void TFormLineups::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        VisitorName->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TFormLineups::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        LineupCancelButtonClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormLineups::Publish()
{
    LineupData& l = *lineups_;
    l.VisitorTeamName = VisitorName->text();
    l.HomeTeamName = HomeName->text();
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        l.VisitorPlayers[i] = Visitor[i]->text();
        l.HomePlayers[i] = Home[i]->text();
        l.VisitorPositions[i] = VisitorPosition[i]->currentText();
        l.HomePositions[i] = HomePosition[i]->currentText();
        l.VisitorPositionIndex[i] = QString::number(VisitorPosition[i]->currentIndex());
        l.HomePositionIndex[i] = QString::number(HomePosition[i]->currentIndex());
    }
}

void TFormLineups::FillControls()
{
    const LineupData& l = *lineups_;
    VisitorName->setText(l.VisitorTeamName);
    HomeName->setText(l.HomeTeamName);
    auto select = [](QComboBox* combo, const QString& indexText) {
        bool ok = false;
        const int index = indexText.trimmed().toInt(&ok);
        // An index that is no number (a blank from an older file) selects "Positions".
        combo->setCurrentIndex(ok && index >= 0 && index < combo->count() ? index : 0);
    };
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        Visitor[i]->setText(l.VisitorPlayers[i]);
        Home[i]->setText(l.HomePlayers[i]);
        select(VisitorPosition[i], l.VisitorPositionIndex[i]);
        select(HomePosition[i], l.HomePositionIndex[i]);
    }
}

void TFormLineups::BackToBoard()
{
    showMinimized();
    if (mainWindow_ != nullptr) {
        mainWindow_->show();
        mainWindow_->activateWindow();
    }
}

void TFormLineups::LineupOKButtonClick()
{
    Publish();
    lineups_->PrecedeWithNumber = PrecedeCheckBox->isChecked();
    BackToBoard();
}

void TFormLineups::LineupCancelButtonClick()
{
    BackToBoard();
}

void TFormLineups::LineUpTurnOffButtonClick()
{
    close();
    lineups_->LineupsActive = false;
}

void TFormLineups::LineupSaveButtonClick()
{
    QString fileName;
    if (!dialogs().SaveFileDialog(
            FileOptions(QStringLiteral("Save Lineup"), QStringLiteral("lup"), kLineupFilter, LastLineupFile),
            fileName)) {
        return;
    }
    Publish();
    LastLineupFile = fileName;
    if (!WriteLineupFile(fileName, *lineups_, PrecedeCheckBox->isChecked())) {
        dialogs().MessageDlg(QStringLiteral("The lineup file could not be written:\r\r") + fileName, mtError,
                             mbOK);
    }
}

void TFormLineups::LineupLoadButtonClick()
{
    QString fileName;
    // A cancelled dialog changes nothing.
    if (!dialogs().OpenFileDialog(
            FileOptions(QStringLiteral("Load Lineup"), QStringLiteral("lup"), kLineupFilter, QString()),
            fileName)) {
        return;
    }
    LastLineupFile = fileName;
    bool precede = true;
    ReadLineupFile(LastLineupFile, *lineups_, precede);
    PrecedeCheckBox->setChecked(precede);
    FillControls();
}

void TFormLineups::LoadRoster(bool home)
{
    QString fileName;
    if (!dialogs().OpenFileDialog(
            FileOptions(QStringLiteral("Load Roster"), QStringLiteral("ros"),
                        QStringLiteral("Roster Files (*.ros)|*.ros|All Files (*.*)|*.*"), QString()),
            fileName)) {
        return;
    }
    const RosterFileData roster = ReadRosterFile(fileName);
    (home ? HomeName : VisitorName)->setText(roster.TeamName);
    (home ? lineups_->HomeRoster : lineups_->VisitorRoster) = roster.Entries;
    SetFace(home ? LoadHomeRosterButton : LoadVisitorsRosterButton, clLime);
}

void TFormLineups::LoadHomeRosterButtonClick()
{
    LoadRoster(true);
}

void TFormLineups::LoadVisitorsRosterButtonClick()
{
    LoadRoster(false);
}

void TFormLineups::RetrieveButtonClick()
{
    LineupData& l = *lineups_;
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        l.VisitorPlayers[i] = Visitor[i]->text();
        l.HomePlayers[i] = Home[i]->text();
    }
    RetrieveFromRoster(l.VisitorPlayers, l.VisitorRoster);
    RetrieveFromRoster(l.HomePlayers, l.HomeRoster);
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        Visitor[i]->setText(l.VisitorPlayers[i]);
        Home[i]->setText(l.HomePlayers[i]);
    }
}
