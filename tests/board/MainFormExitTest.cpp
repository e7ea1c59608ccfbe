// The close step of the real main window: the question, the saved set file and options file, the
// clipboard warnings, the dated backup.
#include "MainFormFixture.h"

#include "controls/ColorPanel.h"

#include <QLabel>
#include <QTimer>

namespace {

class MainFormExitTest : public MainFormFixture
{
protected:
    QString BackupPath() const { return PathOf(QStringLiteral("RBXBackups/Backup-2024-03-09.set")); }
};

} // namespace

TEST_F(MainFormExitTest, AnsweringNoKeepsTheWindowOpenAndWritesNothing)
{
    StartWithSample();
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("Exit Rallybox?"));
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("RBX.inf"))));
    EXPECT_FALSE(QFile::exists(BackupPath()));
    EXPECT_EQ(terminated, 0);
}

TEST_F(MainFormExitTest, AnUnchangedBoardSavesItsStatesOnlyAndIsBackedUp)
{
    StartWithSample();
    board.ButtonState[1][1][1] = bstPlayed;
    dialogs.QueueResult(mrYes);
    EXPECT_TRUE(form->close());
    // The added key goes to the end of its section; nothing else changes.
    QByteArray expected = SampleSet;
    expected.replace("co6=$00123456\r\n", "co6=$00123456\r\nactivity1=2\r\n");
    EXPECT_EQ(ReadBytes(setPath), expected);
    EXPECT_EQ(ReadBytes(BackupPath()), expected);
    EXPECT_EQ(shutDownShown, 1);
    EXPECT_EQ(terminated, 1);
}

TEST_F(MainFormExitTest, AChangedBoardIsSavedWholeOnYes)
{
    WriteText(PathOf(QStringLiteral("Game.set")), QByteArray());
    setPath = PathOf(QStringLiteral("Game.set"));
    Start({setPath});
    board.PageName[1][1] = QStringLiteral("Opening");
    board.ButtonCaption[1][1][1] = QStringLiteral("Horn");
    board.ButtonFile[1][1][1] = QStringLiteral("/m/horn.wav");
    board.ButtonTime[1][1][1] = QStringLiteral("00:03");
    board.BoardChanged = true;
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrYes);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(dialogs.Texts().contains(QStringLiteral("Changes made, save .set file?")));
    const QByteArray expected =
        "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
        "[Page1]\r\nPageName=Opening\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
        "PageColor=clBlack\r\nc1=Horn\r\ns1=/m/horn.wav\r\nt1=00:03\r\n\r\n"
        "[PageQ19]\r\nPageName= \r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
        "PageColor=clBlack\r\n\r\n";
    EXPECT_EQ(ReadBytes(setPath), expected);
    EXPECT_EQ(ReadBytes(BackupPath()), expected);
}

TEST_F(MainFormExitTest, NoToSavingLeavesTheSetFileButStillBacksItUp)
{
    StartWithSample();
    board.ButtonState[1][1][1] = bstPlayed;
    board.BoardChanged = true;
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrNo);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ReadBytes(setPath), SampleSet);
    EXPECT_EQ(ReadBytes(BackupPath()), SampleSet);
}

TEST_F(MainFormExitTest, ASaveThatFailedIsNotTracedAsCompleted)
{
    StartWithSample();
    settings.Tracer = true;
    // A plain file where the set file's folder should be: the write fails.
    board.SetFileName = setPath + QStringLiteral("/inside.set");
    board.BoardChanged = true;
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrYes);
    form->close();
    EXPECT_TRUE(dialogs.Texts().contains(QStringLiteral("Error in SaveSetFile\r ")));
    const QByteArray trace = ReadBytes(PathOf(QStringLiteral("Tracer.txt")));
    EXPECT_FALSE(trace.contains("TermExit - SaveSetFile Completed"));
    EXPECT_TRUE(trace.contains("TermExit - SaveSetFile Failed"));
}

TEST_F(MainFormExitTest, TheOptionsFileKeepsTheSetFileAndPageAndReadsBackByteForByte)
{
    StartWithSample();
    form->ProcessPageButton(3);
    dialogs.QueueResult(mrYes);
    ASSERT_TRUE(form->close());
    const QByteArray first = ReadBytes(PathOf(QStringLiteral("RBX.inf")));
    EXPECT_TRUE(first.startsWith("[Main]\r\nAutoOpen=" + setPath.toUtf8() + "\r\nGroup=1\r\nPage=3\r\n"));
    EXPECT_TRUE(first.contains("\r\nOutputDevice=1\r\n"));

    // A second run that changes nothing writes the same bytes again.
    form.reset();
    dialogs.Reset();
    Start();
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Anthems"));
    dialogs.QueueResult(mrYes);
    ASSERT_TRUE(form->close());
    EXPECT_EQ(ReadBytes(PathOf(QStringLiteral("RBX.inf"))), first);
}

TEST_F(MainFormExitTest, CancelAtAClipboardWarningKeepsTimersAndIndicatorRunning)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nLogFile=YES\r\n");
    StartWithSample();
    form->SecondTimer->start();
    ASSERT_FALSE(form->LoggingOnDisplay->isHidden());
    clipboards.SoundClipboardFull = true;
    clipboards.SoundClipboardCaption = QStringLiteral("Goal Horn");
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrCancel);
    EXPECT_FALSE(form->close());
    const QString expected = QStringLiteral("NOTE:  The Sound Clipboard contains the button:\r\r") +
                             QString(18, u' ') +
                             QStringLiteral("\"Goal Horn\"\r\rthat has NOT been saved.\r\r"
                                            "To exit and lose the contents of the clipboard, click OK \r\r"
                                            "To save the clipboard, click Cancel and then Paste the \r"
                                            "button in the clipboard.");
    EXPECT_EQ(dialogs.Calls().back().text, expected);
    EXPECT_TRUE(form->SecondTimer->isActive());
    EXPECT_FALSE(form->LoggingOnDisplay->isHidden());
    EXPECT_FALSE(QFile::exists(BackupPath()));
    EXPECT_EQ(terminated, 0);
}

TEST_F(MainFormExitTest, AnUnpastedPageIsNamedInItsWarning)
{
    StartWithSample();
    clipboards.PageClipboardFull = true;
    clipboards.PageClipboardPageName = QStringLiteral("Warmup");
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrOk);
    EXPECT_TRUE(form->close());
    const QString expected = QStringLiteral("NOTE:  The Page Clipboard contains the Page:\r\r") +
                             QString(17, u' ') +
                             QStringLiteral("\"Warmup\"\r\rthat has NOT been saved.\r\r"
                                            "To exit and lose the contents on the clipboard, click OK \r\r"
                                            "To save the clipboard, click Cancel and then Paste the \r"
                                            "Page in the clipboard.");
    EXPECT_TRUE(dialogs.Texts().contains(expected));
    EXPECT_TRUE(QFile::exists(BackupPath()));
}
