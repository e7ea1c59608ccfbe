// The set-file commands of the menu and toolbar, the Backups command and the log commands.
#include "MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QDir>
#include <QPushButton>

namespace {

const QString SaveQuestion = QStringLiteral("You have made changes to your existing .set file,\rdo you wish "
                                            "to save it before opening a new .set file?");

class MainFormCommandsTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        StartWithSample();
        otherPath = PathOf(QStringLiteral("Other.set"));
        WriteText(otherPath, "[Page1]\r\nPageName=Other Page\r\nc1=Other\r\ns1=/o.wav\r\n\r\n");
    }

    QString otherPath;
};

} // namespace

TEST_F(MainFormCommandsTest, OpenSetAsksAboutChangesAndCancelChangesNothing)
{
    board.ButtonCaption[1][1][1] = QStringLiteral("Edited");
    board.BoardChanged = true;
    form->OpenSet1->trigger(); // unanswered: Cancel
    EXPECT_EQ(dialogs.Calls().back().text, SaveQuestion);
    EXPECT_EQ(dialogs.Calls().back().type, mtWarning);
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Edited"));
    EXPECT_EQ(board.SetFileName, setPath);
}

TEST_F(MainFormCommandsTest, OpenSetOnNoLoadsTheChosenFileAndShowsGroupA)
{
    board.BoardChanged = true;
    dialogs.QueueResult(mrNo);
    dialogs.QueueFileName(otherPath);
    form->OpenSet1->trigger();
    EXPECT_EQ(board.SetFileName, otherPath);
    EXPECT_EQ(settings.LastFolder, folder);
    EXPECT_EQ(form->ButtonMemos[1]->text(), QStringLiteral("Other"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rallybox - Version 7.0.03     ") + otherPath);
    const auto& call = dialogs.Calls().back();
    EXPECT_EQ(call.caption, QStringLiteral("Open Another Set File:"));
    EXPECT_EQ(ReadBytes(setPath), SampleSet);
}

TEST_F(MainFormCommandsTest, ASetOpenedInDragModeIsShownWholeUnderTheDragColour)
{
    form->ButtonDragMode = true;
    settings.DragModeColor = clFuchsia;
    dialogs.QueueFileName(otherPath);
    form->OpenSet1->trigger();
    EXPECT_EQ(AsPushButton(form->PageButtons[1])->text(), QStringLiteral("Other Page"));
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Other Page"));
    EXPECT_EQ(form->ButtonMemos[1]->text(), QStringLiteral("Other"));
    EXPECT_TRUE(form->ButtonMemos[2]->text().trimmed().isEmpty());
    EXPECT_TRUE(form->ButtonDragMode);
    EXPECT_EQ(form->Panel54->Color(), clFuchsia);
    EXPECT_EQ(form->PanelPage[1]->Color(), clFuchsia);
}

TEST_F(MainFormCommandsTest, ToolbarOpenKeepsUnsavedEditsWhenItsDialogIsCancelled)
{
    board.ButtonCaption[1][1][1] = QStringLiteral("Edited");
    board.BoardChanged = true;
    dialogs.QueueResult(mrNo);
    AsPushButton(form->OpenButton)->click();
    EXPECT_EQ(dialogs.Calls().front().text.isEmpty(), false);
    EXPECT_TRUE(dialogs.Texts().contains(SaveQuestion));
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Edited"));
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(MainFormCommandsTest, ToolbarOpenOnYesSavesTheEditsFirst)
{
    board.PageName[1][2] = QStringLiteral("Added");
    board.BoardChanged = true;
    dialogs.QueueResult(mrYes);
    dialogs.QueueFileName(otherPath);
    AsPushButton(form->OpenButton)->click();
    EXPECT_TRUE(ReadBytes(setPath).contains("[Page2]\r\nPageName=Added\r\n"));
    EXPECT_EQ(board.SetFileName, otherPath);
    EXPECT_EQ(AsPushButton(form->PageButtons[1])->text(), QStringLiteral("Other Page"));
}

TEST_F(MainFormCommandsTest, SaveSetAsWritesTheNewFileAndRenamesTheBoard)
{
    const QString target = PathOf(QStringLiteral("Copy.set"));
    dialogs.QueueFileName(target);
    form->SaveSetAs1->trigger();
    EXPECT_EQ(board.SetFileName, target);
    EXPECT_EQ(ReadBytes(target), SampleSet);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rallybox - Version 7.0.03     ") + target);
}

TEST_F(MainFormCommandsTest, LockedBoardIgnoresTheMenuCommands)
{
    settings.SecurityLocked = true;
    form->NewSet1->trigger();
    form->OpenSet1->trigger();
    form->SaveSetAs1->trigger();
    form->OpenBackups1->trigger();
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(board.SetFileName, setPath);
}

TEST_F(MainFormCommandsTest, NewSetAsksAndErasesTheBoardKeepingColours)
{
    form->NewSet1->trigger(); // unanswered: No
    EXPECT_EQ(dialogs.Calls().back().text,
              QStringLiteral("This action will erase all your sound buttons, do you wish to continue?"));
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Warmup"));

    dialogs.QueueResult(mrYes);
    AsPushButton(form->NewButton)->click();
    EXPECT_EQ(board.SetFileName, PathOf(QStringLiteral("newfile.set")));
    EXPECT_TRUE(board.PageName[1][1].isEmpty());
    EXPECT_TRUE(board.ButtonCaption[1][1][1].isEmpty());
    EXPECT_EQ(form->ButtonPanels[2]->Color(), clTeal);
    EXPECT_EQ(form->ButtonMemos[1]->text(), QString());
}

TEST_F(MainFormCommandsTest, BackupsAsksToSaveAChangedBoardAndKeepsTheSetFileName)
{
    QDir().mkpath(PathOf(QStringLiteral("RBXBackups")));
    const QString backup = PathOf(QStringLiteral("RBXBackups/Backup-2024-03-01.set"));
    WriteText(backup, "[Page1]\r\nPageName=Restored\r\nc1=Old\r\ns1=/old.wav\r\n\r\n");
    board.BoardChanged = true;
    form->OpenBackups1->trigger(); // unanswered: Cancel
    EXPECT_EQ(dialogs.Calls().back().text, SaveQuestion);
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Warmup"));

    dialogs.QueueResult(mrNo);
    dialogs.QueueFileName(backup);
    form->OpenBackups1->trigger();
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Restored"));
    EXPECT_EQ(board.SetFileName, setPath);
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rallybox - Version 7.0.03     ") + setPath);
    EXPECT_EQ(ReadBytes(setPath), SampleSet);
}

TEST_F(MainFormCommandsTest, ViewingAMissingLogWarnsAndAnExistingOneGoesToTheDesktop)
{
    form->ViewLogFile1->trigger();
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("Log File Not Found"));
    EXPECT_TRUE(shellCalls.empty());
    WriteText(PathOf(QStringLiteral("RallyboxLog.txt")), "x\r\n");
    form->PrintLogFile1->trigger();
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0], QStringLiteral("print ") + PathOf(QStringLiteral("RallyboxLog.txt")));
}

TEST_F(MainFormCommandsTest, TheLoggingIndicatorTurnsLoggingOff)
{
    settings.LogFile = true;
    form->LoggingOnDisplay->show();
    form->LoggingOnDisplayClick();
    EXPECT_FALSE(settings.LogFile);
    EXPECT_TRUE(form->LoggingOnDisplay->isHidden());
}
