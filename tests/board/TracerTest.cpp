#include "board/Tracer.h"
#include "board/Settings.h"
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

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class TracerTest : public ::testing::Test
{
protected:
    TracerTest() { settings.Tracer = true; }

    QString TracePath() const { return QDir(folder.path()).filePath("Tracer.txt"); }

    QTemporaryDir folder;
    Settings settings;
    ManualClock clock{QDateTime(QDate(2024, 3, 5), QTime(13, 2, 3))};
    ScriptedDialogs dialogs;
    QLocale usLocale{QLocale::English, QLocale::UnitedStates};
};

} // namespace

TEST_F(TracerTest, NothingIsWrittenWhileTheTraceIsOff)
{
    settings.Tracer = false;
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    tracer.WriteTracer("Button1Click");
    EXPECT_FALSE(QFile::exists(TracePath()));
    EXPECT_FALSE(tracer.TracerOpen());
}

TEST_F(TracerTest, LineIsShortDateBlankLongTimeDashMessageEndedByCrLf)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    tracer.WriteTracer("Button1Click");
    clock.Advance(61'000);
    tracer.WriteTracer("ProcessSoundButton");
    EXPECT_TRUE(tracer.TracerOpen());
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - Button1Click\r\n"
                                               "3/5/24 1:03:04 PM - ProcessSoundButton\r\n"));
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(TracerTest, TimeZoneIsLeftOutOfTheLongTime)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(tracer.DateTimeText(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58))), "31.12.24 23:59:58");
}

TEST_F(TracerTest, FirstLineOfEachRunEmptiesTheEarlierTrace)
{
    WriteAll(TracePath(), "left by an earlier run\r\n");
    {
        Tracer firstRun(folder.path(), settings, clock, dialogs, usLocale);
        firstRun.WriteTracer("one");
        firstRun.WriteTracer("two");
    }
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - one\r\n3/5/24 1:02:03 PM - two\r\n"));

    Tracer secondRun(folder.path(), settings, clock, dialogs, usLocale);
    // Opening waits for the first line: a run that traces nothing leaves the old file alone.
    EXPECT_EQ(ReadAll(TracePath()).count('\n'), 2);
    secondRun.WriteTracer("three");
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - three\r\n"));
}

TEST_F(TracerTest, UnwritableTraceShowsOneBoxAndStopsUntilClosed)
{
    // A folder in the file's place makes every open fail.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Tracer.txt"));
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    for (int i = 0; i < 5; ++i)
        tracer.WriteTracer("line");
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "Error in WriteTracer\r ");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_EQ(dialogs.Calls()[0].buttons, TMsgDlgButtons(mbOK));

    // Closing (as "Delete Tracer File" does) gives the trace one more try once the cause is gone.
    ASSERT_TRUE(QDir(folder.path()).rmdir("Tracer.txt"));
    tracer.Close();
    tracer.WriteTracer("after repair");
    EXPECT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - after repair\r\n"));
}

TEST_F(TracerTest, DeleteAsksDeletesAndTheNextLineStartsANewFile)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    tracer.WriteTracer("before");
    dialogs.QueueResult(mrYes);
    tracer.DeleteTracerFile();
    EXPECT_FALSE(QFile::exists(TracePath()));
    EXPECT_FALSE(tracer.TracerOpen());
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Do You Want to Delete the Tracer File?", "Tracer File Deleted"}));
    EXPECT_EQ(dialogs.Calls()[0].type, mtConfirmation);
    EXPECT_EQ(dialogs.Calls()[0].buttons, mbYesNo);
    EXPECT_EQ(dialogs.Calls()[1].type, mtInformation);

    tracer.WriteTracer("after");
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - after\r\n"));
}

TEST_F(TracerTest, DeleteAnsweredNoKeepsTheFile)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    tracer.WriteTracer("kept");
    dialogs.QueueResult(mrNo);
    tracer.DeleteTracerFile();
    EXPECT_TRUE(QFile::exists(TracePath()));
    EXPECT_EQ(dialogs.Texts(), QStringList({"Do You Want to Delete the Tracer File?"}));
}

TEST_F(TracerTest, DeleteReportsAMissingFileAndAFailedDeletion)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    dialogs.QueueResult(mrYes);
    tracer.DeleteTracerFile();
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[1].text, "Tracer File Not Deleted because it was not found");
    EXPECT_EQ(dialogs.Calls()[1].type, mtInformation);

    // A non-empty folder in the file's place cannot be removed as a file.
    ASSERT_TRUE(QDir(folder.path()).mkpath("Tracer.txt/inside"));
    dialogs.Reset();
    dialogs.QueueResult(mrYes);
    tracer.DeleteTracerFile();
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[1].text, "Tracer File Not Deleted");
    EXPECT_EQ(dialogs.Calls()[1].type, mtError);
}

TEST_F(TracerTest, ALineAfterTheExitClosedTheFileIsAddedToThisRunsTrace)
{
    Tracer tracer(folder.path(), settings, clock, dialogs, usLocale);
    tracer.WriteTracer("TermExit - Ready to stop bass");
    tracer.Close();
    // A failure reported after the close must not wipe the run's trace.
    tracer.WriteTracer("late failure");
    EXPECT_EQ(ReadAll(TracePath()), QByteArray("3/5/24 1:02:03 PM - TermExit - Ready to stop bass\r\n"
                                               "3/5/24 1:02:03 PM - late failure\r\n"));
    EXPECT_TRUE(dialogs.Calls().empty());
}
