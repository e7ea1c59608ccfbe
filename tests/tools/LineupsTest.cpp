// Lineup and roster files byte for byte and read back, Retrieve from the rosters, and the lineups,
// roster, personalise, about and shut-down windows' results.
#include "GameDayFixture.h"

#include "support/FullFileSystem.h"
#include "tools/EditSwapDrag.h"
#include "tools/LineupFiles.h"
#include "tools/TFormAbout.h"
#include "tools/TFormLineups.h"
#include "tools/TFormPersonalize.h"
#include "tools/TFormRoster.h"
#include "tools/TfrmShutDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

namespace {

using Lineups = GameDayFixture;

TEST_F(Lineups, ALineupFileIsWrittenInItsKeyOrderAndReadBack)
{
    LineupData l;
    l.HomeTeamName = QStringLiteral("Hawks");
    l.VisitorTeamName = QStringLiteral(" ");
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        l.HomePlayers[i] = QStringLiteral("%1 Home").arg(n);
        l.VisitorPlayers[i] = QStringLiteral("%1 Away").arg(n);
        l.HomePositions[i] = TFormLineups::PositionNames()[i];
        l.VisitorPositions[i] = QStringLiteral("Positions");
        l.HomePositionIndex[i] = QString::number(n);
        l.VisitorPositionIndex[i] = QStringLiteral("0");
    }
    const QString path = PathOf(QStringLiteral("game.lup"));
    ASSERT_TRUE(WriteLineupFile(path, l, false));
    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(
        bytes.startsWith("[Main]\r\nCreatedBy=Rallybox\r\nCheckBox=No\r\n\r\n[Home]\r\nTeamName=Hawks\r\n"
                         "Player1=1 Home\r\nPlayer2=2 Home\r\n"));
    EXPECT_TRUE(bytes.contains("[Visitor]\r\nTeamName= \r\nPlayer1=1 Away\r\n"));
    EXPECT_TRUE(
        bytes.contains("Player10=10 Home\r\nPosition1=1 - Pitcher\r\nPositionNumber1=1\r\nPosition2="));

    LineupData back;
    bool precede = true;
    ReadLineupFile(path, back, precede);
    EXPECT_FALSE(precede);
    EXPECT_EQ(back.VisitorTeamName, QStringLiteral(" "));
    EXPECT_EQ(back.HomePlayers, l.HomePlayers);
    EXPECT_EQ(back.HomePositions, l.HomePositions);
    EXPECT_EQ(back.VisitorPositionIndex, l.VisitorPositionIndex);
    // Saving what was read gives the same bytes.
    ASSERT_TRUE(WriteLineupFile(PathOf(QStringLiteral("again.lup")), back, precede));
    EXPECT_EQ(ReadBytes(PathOf(QStringLiteral("again.lup"))), bytes);

    WriteText(path, "[Main]\r\nCheckBox=yes\r\n");
    ReadLineupFile(path, back, precede);
    EXPECT_FALSE(precede);
    EXPECT_EQ(back.HomeTeamName, QStringLiteral("Home"));
    EXPECT_EQ(back.VisitorTeamName, QStringLiteral("Visitors"));
    EXPECT_EQ(back.HomePlayers[4], QStringLiteral(" "));
}

TEST_F(Lineups, RosterFilesRoundTripAndRetrieveCompletesShortRows)
{
    RosterFileData roster;
    roster.TeamName = QStringLiteral("Hawks");
    for (int n = 1; n <= RosterEntryCount; ++n) {
        roster.Entries[static_cast<std::size_t>(n)] = QStringLiteral(" ");
    }
    roster.Entries[2] = QStringLiteral("7 Ruth");
    roster.Entries[3] = QStringLiteral("07 Duplicate");
    roster.Entries[4] = QStringLiteral("12 Casey");
    roster.Entries[5] = QStringLiteral("ab Letters");
    const QString path = PathOf(QStringLiteral("hawks.ros"));
    ASSERT_TRUE(WriteRosterFile(path, roster));
    EXPECT_TRUE(
        ReadBytes(path).startsWith("[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Roster]\r\nTeamName=Hawks\r\n"
                                   "Roster1= \r\nRoster2=7 Ruth\r\n"));
    const RosterFileData back = ReadRosterFile(path);
    EXPECT_EQ(back.TeamName, roster.TeamName);
    EXPECT_EQ(back.Entries, roster.Entries);
    EXPECT_EQ(ReadRosterFile(PathOf(QStringLiteral("none.ros"))).TeamName, QStringLiteral("Name Missing"));

    std::array<QString, LineupRows + 1> rows;
    rows[1] = QStringLiteral("7");
    rows[2] = QStringLiteral("12");
    rows[3] = QStringLiteral("120");
    rows[4] = QStringLiteral("x");
    rows[5] = QStringLiteral("99");
    RetrieveFromRoster(rows, back.Entries);
    EXPECT_EQ(rows[1], QStringLiteral("7 Ruth"));
    EXPECT_EQ(rows[2], QStringLiteral("12 Casey"));
    EXPECT_EQ(rows[3], QStringLiteral("120"));
    EXPECT_EQ(rows[4], QStringLiteral("x"));
    EXPECT_EQ(rows[5], QStringLiteral("99"));
}

TEST_F(Lineups, TheWindowPublishesOnOkAndACancelledLoadChangesNothing)
{
    TFormLineups window(form.get());
    window.Attach(lineups, dialogs, form.get());
    window.VisitorName->setText(QStringLiteral("Bears"));
    window.Visitor[1]->setText(QStringLiteral("3 Lee"));
    window.VisitorPosition[1]->setCurrentIndex(7);
    window.PrecedeCheckBox->setChecked(false);
    window.LineupCancelButtonClick();
    EXPECT_TRUE(lineups.VisitorTeamName.isEmpty());
    window.LineupOKButtonClick();
    EXPECT_EQ(lineups.VisitorTeamName, QStringLiteral("Bears"));
    EXPECT_EQ(lineups.VisitorPlayers[1], QStringLiteral("3 Lee"));
    EXPECT_EQ(lineups.VisitorPositions[1], QStringLiteral("7 - Left Field"));
    EXPECT_EQ(lineups.VisitorPositionIndex[1], QStringLiteral("7"));
    EXPECT_FALSE(lineups.PrecedeWithNumber);

    window.LineupLoadButtonClick(); // cancelled
    EXPECT_EQ(window.Visitor[1]->text(), QStringLiteral("3 Lee"));
    EXPECT_TRUE(window.LastLineupFile.isEmpty());

    const QString path = PathOf(QStringLiteral("saved.lup"));
    dialogs.QueueFileName(path);
    window.LineupSaveButtonClick();
    window.Visitor[1]->clear();
    window.VisitorPosition[1]->setCurrentIndex(0);
    dialogs.QueueFileName(path);
    window.LineupLoadButtonClick();
    EXPECT_EQ(window.Visitor[1]->text(), QStringLiteral("3 Lee"));
    EXPECT_EQ(window.VisitorPosition[1]->currentIndex(), 7);
    EXPECT_FALSE(window.PrecedeCheckBox->isChecked());

    EditSwapDrag::SwapTexts(window.Visitor[1], window.Visitor[3]);
    EXPECT_EQ(window.Visitor[3]->text(), QStringLiteral("3 Lee"));
    window.LineUpTurnOffButtonClick();
    EXPECT_FALSE(lineups.LineupsActive);
}

TEST_F(Lineups, TheRosterWindowStartsEmptyEachTimeAndSaves)
{
    TFormRoster roster(form.get());
    roster.SetDialogs(dialogs);
    roster.show();
    roster.TeamName->setText(QStringLiteral("Owls"));
    roster.Roster[1]->setText(QStringLiteral("4 Gray"));
    const QString path = PathOf(QStringLiteral("owls.ros"));
    dialogs.QueueFileName(path);
    roster.RosterSaveButtonClick();
    roster.hide();
    roster.show();
    EXPECT_TRUE(roster.TeamName->text().isEmpty());
    EXPECT_TRUE(roster.Roster[1]->text().isEmpty());
    dialogs.QueueFileName(path);
    roster.RosterLoadButtonClick();
    EXPECT_EQ(roster.TeamName->text(), QStringLiteral("Owls"));
    EXPECT_EQ(roster.Roster[1]->text(), QStringLiteral("4 Gray"));
    roster.RosterLoadButtonClick(); // cancelled: the list stays
    EXPECT_EQ(roster.Roster[1]->text(), QStringLiteral("4 Gray"));
    roster.TeamName->setText(QStringLiteral("Owls B"));
    roster.showMinimized();
    roster.showNormal(); // back from the taskbar: what was typed stays
    EXPECT_EQ(roster.TeamName->text(), QStringLiteral("Owls B"));
    EXPECT_EQ(roster.Roster[1]->text(), QStringLiteral("4 Gray"));
}

TEST_F(Lineups, AFullDiskKeepsTheOldLineupAndRosterFilesAndSaysSo)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    const QByteArray oldLineup("[Main]\r\nCheckBox=No\r\n\r\n");
    const QByteArray oldRoster("[Roster]\r\nTeamName=Owls\r\n\r\n");
    ASSERT_TRUE(disk.Put("game.lup", oldLineup));
    ASSERT_TRUE(disk.Put("owls.ros", oldRoster));
    ASSERT_TRUE(disk.Fill());

    TFormLineups window(form.get());
    window.Attach(lineups, dialogs, form.get());
    dialogs.QueueFileName(disk.FilePath("game.lup"));
    window.LineupSaveButtonClick();
    TFormRoster roster(form.get());
    roster.SetDialogs(dialogs);
    dialogs.QueueFileName(disk.FilePath("owls.ros"));
    roster.RosterSaveButtonClick();
    EXPECT_EQ(dialogs.Texts().filter(QStringLiteral("could not")),
              QStringList(
                  {QStringLiteral("The lineup file could not be written:\r\r") + disk.FilePath("game.lup"),
                   QStringLiteral("The roster file could not be written:\r\r") + disk.FilePath("owls.ros")}));
    EXPECT_EQ(ReadBytes(disk.FilePath("game.lup")), oldLineup);
    EXPECT_EQ(ReadBytes(disk.FilePath("owls.ros")), oldRoster);
}

using SmallWindows = GameDayFixture;

TEST_F(SmallWindows, PersonaliseTrimsOnOkAndCancelKeepsTheHeader)
{
    TFormPersonalize window(form.get());
    window.SetSettings(settings);
    settings.Personalization = QStringLiteral("Old");
    window.FormActivate();
    EXPECT_EQ(window.PersonalizationEdit->text(), QStringLiteral("Old"));
    window.PersonalizationEdit->setText(QStringLiteral("  Home Opener  "));
    window.open();
    window.RegisterCancelButtonClick();
    EXPECT_EQ(window.result(), 2);
    EXPECT_EQ(settings.Personalization, QStringLiteral("Old"));
    window.open();
    window.RegisterOKButtonClick();
    EXPECT_EQ(window.result(), 1);
    EXPECT_EQ(settings.Personalization, QStringLiteral("Home Opener"));
}

TEST_F(SmallWindows, AboutEndsWithOkOrEscapeAndTheShutDownBarStartsOverEachTime)
{
    TFormAbout about(form.get());
    about.open();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_EQ(about.result(), 2);
    about.open();
    about.AboutButtonClick();
    EXPECT_EQ(about.result(), 1);

    TfrmShutDown shutDown(form.get());
    // The ticks are the test's own: the window's 30 ms timer must not add one on a slow machine.
    shutDown.ShutDownTimer->setInterval(3600 * 1000);
    shutDown.show();
    for (int i = 0; i < 10; ++i) {
        shutDown.ShutDownTimerTimer();
    }
    shutDown.showMinimized();
    shutDown.showNormal(); // back from the taskbar: the bar runs on
    EXPECT_EQ(shutDown.ShutDownProgress, 40);
    shutDown.hide();
    shutDown.show();
    EXPECT_EQ(shutDown.ShutDownProgress, 0);
    EXPECT_EQ(shutDown.ShutDownBar->value(), 0);
    for (int i = 0; i < 25; ++i) {
        shutDown.ShutDownTimerTimer();
    }
    EXPECT_FALSE(shutDown.isVisible());
}

} // namespace
