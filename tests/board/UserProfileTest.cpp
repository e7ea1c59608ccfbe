#include "board/UserProfile.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class UserProfileTest : public ::testing::Test
{
protected:
    UserProfileTest()
    {
        settings.Tracer = true;
        versions.WindowsVersionText = "Debian GNU/Linux 12 (bookworm) Version 6.1 Build 0";
        board.SetFileName = "/shows/Home Games.set";
        selection.CurrentGroup = 3;
        selection.CurrentPage = 7;
    }

    // The messages of the trace lines, without their date and time.
    QStringList Messages() const
    {
        QFile file(QDir(folder.path()).filePath("Tracer.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {"<missing>"};
        QStringList messages;
        for (const QString& line : QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts))
            messages.append(line.section(" - ", 1, -1));
        return messages;
    }

    void Record() { RecordUserProfile(tracer, settings, board, selection, versions, written, dialogs); }

    QTemporaryDir folder;
    Settings settings;
    Board board;
    Selection selection;
    VersionTexts versions;
    bool written = false;
    ManualClock clock;
    ScriptedDialogs dialogs;
    Tracer tracer{folder.path(), settings, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates)};
};

} // namespace

TEST_F(UserProfileTest, NothingIsWrittenWhileTheTraceIsOff)
{
    settings.Tracer = false;
    Record();
    EXPECT_FALSE(written);
    EXPECT_EQ(Messages(), QStringList({"<missing>"}));
}

TEST_F(UserProfileTest, ProfileListsEverySettingInOrderOncePerRun)
{
    settings.Personalization = "Riverside Rockets";
    settings.FadeInSec = 2.5;
    settings.FadeOutSec = 4;
    settings.CrossFadeSec = 0.25;
    settings.OutputDevice = 2;
    settings.SampleRate = 44100;
    settings.PageFontColor = clRed;
    settings.PageFontName = "Arial";
    settings.PageFontSize = 10;
    settings.PageFontStyleText = "fsBold ";
    settings.Sound1FontColor = 0x00123456;
    settings.Sound1FontStyleText = "fsBold fsItalic ";
    for (int group = 1; group <= 10; ++group)
        settings.GroupColor[static_cast<std::size_t>(group)] = group == 2 ? clLime : clBtnFace;
    settings.ButtonColor = clYellow;
    settings.FadeOnHotText = "YES";
    settings.LogFile = true;
    settings.MultiPlay = true;
    settings.SecurityLocked = true;
    settings.BroadcastKeys = true;
    settings.SpaceBarStop = true;
    settings.StereoMode = false;
    settings.Volume = 80;

    QStringList expected = {"Profile A",
                            "Rallybox - Version 7.0.03",
                            "Build 03",
                            "Debian GNU/Linux 12 (bookworm) Version 6.1 Build 0",
                            " ",
                            "Load File is /shows/Home Games.set",
                            " ",
                            "Starting Group is 3",
                            "Starting Page is 7",
                            "Personalization is Riverside Rockets",
                            " ",
                            "Fade In Seconds is 2.5",
                            "Fade Out Seconds is 4",
                            "Cross Fade Seconds is 0.25",
                            " ",
                            "BASS:",
                            "Bass Version is 2.3",
                            "Device is 2, Sample Rate is 44100",
                            "Buffer Length is 1000",
                            "Delay before resetting Volume is 25",
                            "Meter Rate is 1",
                            " ",
                            "Page Font Color is clRed",
                            "Page Font Name is Arial",
                            "Page Font Size is 10",
                            "Page Font Style is fsBold ",
                            "Sound Color is $00123456",
                            "Sound Font Name is MS Sans Serif",
                            "Sound Font Size is 8",
                            "Sound Font Style is fsBold fsItalic ",
                            " ",
                            "Colors: "};
    for (char group = 'A'; group <= 'J'; ++group)
        expected.append(QStringLiteral("Group %1 is ").arg(group) + (group == 'B' ? "clLime" : "clBtnFace"));
    expected += QStringList{"Edit Mode is clBtnFace",
                            "Drag Mode is clBtnFace",
                            "Button Color is clYellow",
                            "Cue is clBtnFace",
                            "Active Button is clInfoBk",
                            "User Active Button Color is clInfoBk",
                            " ",
                            "Meters:",
                            "Style is Panel",
                            "Bar Yellow is 73",
                            "Bar Red is 109",
                            "Panel Red is 110",
                            " ",
                            "Fade On Hot Key is YES",
                            "Automatic Fading is NO",
                            " ",
                            "Logging is ON",
                            " ",
                            "Shuffle Mode is OFF",
                            "Multi-Play is ON",
                            "MultiUser Mode is OFF",
                            "Daylight Mode is OFF",
                            "Fade In is OFF",
                            "Fade Out is OFF",
                            "Cross Fade is OFF",
                            "Stop PlayList on PlaceMarker is OFF",
                            "PlayList Page Advance is OFF",
                            "PlayList Skip Previously Played Sounds is ON",
                            "Security is ON",
                            "Cue Delete is OFF",
                            "Broadcast Keys are ON",
                            "Reset All is OFF",
                            "Space Bar Stop is YES",
                            "Enter Key Mirror Space Bar is NO",
                            "Hide Empty Pages is NO",
                            "Log File is YES",
                            "Instant Play is ON",
                            "Instant Play Threshold is 500",
                            "Hot Keys Over Talk is OFF",
                            "Initial Volume is 80",
                            "Default Individual Volume Setting is 75",
                            "Mono Mode is ON",
                            " ",
                            QString(61, '-'),
                            " "};
    ASSERT_EQ(expected.size(), 87);

    Record();
    EXPECT_TRUE(written);
    EXPECT_EQ(Messages(), expected);

    // The second call of the run writes nothing more.
    Record();
    EXPECT_EQ(Messages().size(), 87);
    EXPECT_TRUE(dialogs.Calls().empty());
}
