#include "board/PlayLog.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

class PlayLogTest : public ::testing::Test
{
protected:
    PlayLogTest()
    {
        settings.Tracer = true;
        settings.LogFile = true;
        log.SetLoggingOnDisplay([this](bool visible) { indicatorShown.push_back(visible); });
    }

    QString LogPath() const { return QDir(folder.path()).filePath("RallyboxLog.txt"); }
    QString TracePath() const { return QDir(folder.path()).filePath("Tracer.txt"); }

    // The stop path: the display timer has left the played time, then the entry is written.
    void EndSound(const QString& playedTime)
    {
        log.PlayedTimeText = playedTime;
        log.LogPlayedPending = true;
        log.LogIt(" ");
    }

    QTemporaryDir folder;
    Settings settings;
    ManualClock clock{QDateTime(QDate(2024, 3, 5), QTime(19, 30, 0))};
    ScriptedDialogs dialogs;
    Tracer tracer{folder.path(), settings, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates)};
    PlayLog log{folder.path(), settings, tracer, dialogs};
    std::vector<bool> indicatorShown;
};

} // namespace

TEST_F(PlayLogTest, NothingIsWrittenWhileLoggingIsOff)
{
    settings.LogFile = false;
    log.LogIt("/music/anthem.mp3");
    EndSound("00:30");
    EXPECT_FALSE(QFile::exists(LogPath()));
    EXPECT_FALSE(log.PlayLogOpen());
}

TEST_F(PlayLogTest, StartAndStopWriteHeaderThenOneEntryThenEndLog)
{
    log.LogIt("/music/anthem.mp3");
    EXPECT_TRUE(log.PlayLogOpen());
    clock.Advance(65'000);
    EndSound("01:05");
    clock.Advance(10'000);
    log.LoggingOnDisplayClick();

    EXPECT_EQ(ReadAll(LogPath()), QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"
                                             "3/5/24 7:30:00 PM - Played Time = 01:05 - /music/anthem.mp3\r\n"
                                             "3/5/24 7:31:15 PM - End Log\r\n"
                                             " \r\n"));
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 7:30:00 PM - LogIt Capture A - Rallybox Log\r\n"
                                               "3/5/24 7:31:05 PM - LogIt Write B\r\n"));
    EXPECT_FALSE(settings.LogFile);
    EXPECT_FALSE(log.PlayLogOpen());
    EXPECT_FALSE(log.LogPlayedPending);
    EXPECT_EQ(indicatorShown, std::vector<bool>{false});
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(PlayLogTest, ASoundStartedBeforeTheEntryWasWrittenReplacesTheCapture)
{
    log.LogIt("/music/first.mp3");
    clock.Advance(3'000);
    log.LogIt("/music/second.mp3");
    clock.Advance(20'000);
    EndSound("00:20");
    EXPECT_EQ(ReadAll(LogPath()),
              QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"
                         "3/5/24 7:30:03 PM - Played Time = 00:20 - /music/second.mp3\r\n"));
}

TEST_F(PlayLogTest, BlankWithNothingPendingWritesABlankLineAndKeepsTheCapture)
{
    log.LogIt("/music/bed.wav");
    log.LogIt(" ");
    EndSound("00:09");
    EXPECT_EQ(ReadAll(LogPath()), QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"
                                             " \r\n"
                                             "3/5/24 7:30:00 PM - Played Time = 00:09 - /music/bed.wav\r\n"));
}

TEST_F(PlayLogTest, AnExistingLogGetsANewHeaderEachRun)
{
    log.LogIt("/music/a.mp3");
    EndSound("00:01");
    log.Close();

    clock.Advance(24LL * 3600 * 1000);
    PlayLog nextRun(folder.path(), settings, tracer, dialogs);
    nextRun.LogIt("/music/b.mp3");
    const QList<QByteArray> lines = ReadAll(LogPath()).split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], "3/5/24 7:30:00 PM - Rallybox Log\r");
    EXPECT_EQ(lines[2], "3/6/24 7:30:00 PM - Rallybox Log\r");
}

TEST_F(PlayLogTest, ViewingClosesTheLogAndTheNextSoundWritesASecondHeader)
{
    log.LogIt("/music/a.mp3");
    EXPECT_TRUE(log.ReleaseForShell());
    EXPECT_FALSE(log.PlayLogOpen());
    EXPECT_TRUE(settings.LogFile);

    clock.Advance(1'000);
    log.LogIt("/music/b.mp3");
    EndSound("00:02");
    EXPECT_EQ(ReadAll(LogPath()), QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"
                                             "3/5/24 7:30:01 PM - Rallybox Log\r\n"
                                             "3/5/24 7:30:01 PM - Played Time = 00:02 - /music/b.mp3\r\n"));
}

TEST_F(PlayLogTest, ViewingWithoutALogWarnsThatItWasNotFound)
{
    EXPECT_FALSE(log.ReleaseForShell());
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "Log File Not Found");
    EXPECT_EQ(dialogs.Calls()[0].type, mtWarning);
}

TEST_F(PlayLogTest, DeletingWhileLoggingLeavesLoggingOnAndTheNextSoundRecreatesTheFile)
{
    log.LogIt("/music/a.mp3");
    dialogs.QueueResult(mrYes);
    log.DeleteLogFile();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Do You Want to Delete the Log File?", "Log File Deleted"}));
    EXPECT_FALSE(QFile::exists(LogPath()));
    EXPECT_TRUE(settings.LogFile);

    log.LogIt("/music/b.mp3");
    EXPECT_EQ(ReadAll(LogPath()), QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"));

    dialogs.Reset();
    log.Close();
    ASSERT_TRUE(QFile::remove(LogPath()));
    dialogs.QueueResult(mrYes);
    log.DeleteLogFile();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Do You Want to Delete the Log File?",
                                            "Log File Not Deleted because it was not found"}));
}

TEST_F(PlayLogTest, UnwritableLogShowsTheSessionBoxOnceAndTurnsLoggingOff)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("RallyboxLog.txt"));
    log.LogIt("/music/a.mp3");
    EndSound("00:05");
    log.LogIt("/music/b.mp3");

    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(
        dialogs.Calls()[0].text,
        "Error in LogIt\r\rIf you are running more than one session of the program at the same time,\r"
        "logging can only be turned on in one of them.\rRallybox is turning logging off in this session.");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_EQ(dialogs.Calls()[0].buttons, TMsgDlgButtons(mbOK));
    EXPECT_FALSE(settings.LogFile);
    EXPECT_FALSE(log.PlayLogOpen());
    EXPECT_EQ(indicatorShown, std::vector<bool>{false});
}

TEST_F(PlayLogTest, EndingLoggingWithTheLogClosedWritesNothing)
{
    log.LoggingOnDisplayClick();
    EXPECT_FALSE(QFile::exists(LogPath()));
    EXPECT_FALSE(settings.LogFile);
    EXPECT_EQ(indicatorShown, std::vector<bool>{false});
}

TEST_F(PlayLogTest, EndingFromSetupWritesEndLogAndTheNextSoundStartsANewHeader)
{
    log.LogIt("/music/a.mp3");
    clock.Advance(2'000);
    log.EndLog();
    EXPECT_FALSE(log.PlayLogOpen());
    EXPECT_EQ(log.LogTitle, "End Log");
    log.EndLog(); // already closed: nothing more
    EXPECT_TRUE(indicatorShown.empty());

    clock.Advance(1'000);
    log.LogIt("/music/b.mp3");
    EXPECT_EQ(ReadAll(LogPath()), QByteArray("3/5/24 7:30:00 PM - Rallybox Log\r\n"
                                             "3/5/24 7:30:02 PM - End Log\r\n"
                                             " \r\n"
                                             "3/5/24 7:30:03 PM - Rallybox Log\r\n"));
}
