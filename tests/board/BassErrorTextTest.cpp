#include "board/BassErrorText.h"
#include "audio/Bass.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class BassErrorTest : public ::testing::Test
{
protected:
    BassErrorTest() { settings.Tracer = true; }

    QByteArray Trace() const
    {
        QFile file(QDir(folder.path()).filePath("Tracer.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir folder;
    Settings settings;
    ManualClock clock{QDateTime(QDate(2024, 3, 5), QTime(13, 2, 3))};
    ScriptedDialogs dialogs;
    Tracer tracer{folder.path(), settings, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates)};
};

} // namespace

TEST(BassErrorText, EveryKnownCodeHasItsText)
{
    const std::pair<int, const char*> table[] = {
        {1, "memory error"},
        {2, "can not open the file"},
        {3, "can not find a free sound driver"},
        {4, "the sample buffer was lost"},
        {5, "invalid handle"},
        {6, "unsupported sample format"},
        {7, "invalid playback position"},
        {8, "BASS_Init has not been successfully called"},
        {9, "BASS_Start has not been successfully called"},
        {14, "already initialized"},
        {16, "not paused"},
        {18, "can not get a free channel"},
        {19, "an illegal type was specified"},
        {20, "an illegal parameter was specified"},
        {21, "no 3D support"},
        {22, "no EAX support"},
        {23, "illegal sound output device number"},
        {24, "not playing"},
        {25, "illegal sample rate"},
        {27, "the stream is not a file stream (WAV/MP3/MP2/MP1/OGG)"},
        {29, "no hardware voices available"},
        {31, "the MOD music has no sequence data"},
        {32, "no internet connection could be opened"},
        {33, "could not create the file"},
        {34, "effects are not enabled"},
        {35, "the channel is playing"},
        {37, "requested data is not available"},
        {38, "the channel is a \"decoding channel\""},
        {39, "a sufficient DirectX version is not installed"},
        {40, "connection timedout"},
        {41, "unsupported file format"},
        {42, "unavailable speaker"},
        {43, "invalid BASS version (used by add-ons)"},
        {44, "codec is not available/supported"},
        {1000, "the file is protected"},
        {-1, "some other mystery error"},
    };
    for (const auto& [code, text] : table)
        EXPECT_EQ(BassErrorText(code), QString::fromLatin1(text)) << code;
}

TEST(BassErrorText, CodesOutsideTheTableAreUnknownWithTheirNumber)
{
    for (int code : {10, 11, 12, 13, 15, 17, 26, 28, 30, 36, 45, 999, 1001, -2}) {
        EXPECT_EQ(BassErrorText(code), QStringLiteral("Unknown error (%1)").arg(code));
    }
}

TEST_F(BassErrorTest, CodeZeroWritesAndShowsNothing)
{
    ReportBassError(0, "ProcessSoundButtonD1", tracer, dialogs);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(Trace(), QByteArray("<missing>"));
}

TEST_F(BassErrorTest, FailureGoesToTheTraceAndAModalBoxWithTheContextOnItsOwnLine)
{
    ReportBassError(5, "ProcessSoundButtonD1", tracer, dialogs);
    EXPECT_EQ(Trace(), QByteArray("3/5/24 1:02:03 PM - BASS Error (5):  invalid handle FUNCTION/PROCEDURE: "
                                  "ProcessSoundButtonD1\r\n"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              "BASS Error (5):  invalid handle\r\rFUNCTION/PROCEDURE:\rProcessSoundButtonD1");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_EQ(dialogs.Calls()[0].buttons, TMsgDlgButtons(mbOK));
}

TEST_F(BassErrorTest, UnknownCodeIsReportedWithItsNumberAndTheBoxShowsWithTheTraceOff)
{
    settings.Tracer = false;
    ReportBassError(10, "StopProcess", tracer, dialogs);
    EXPECT_EQ(Trace(), QByteArray("<missing>"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              "BASS Error (10):  Unknown error (10)\r\rFUNCTION/PROCEDURE:\rStopProcess");
}

TEST_F(BassErrorTest, BassErrorFunctionReportsTheEnginesLastCode)
{
    // A handle that was never created fails; the engine keeps the code until the next call.
    const BassHandle neverCreated = 0x7fffff;
    ASSERT_FALSE(BASS_ChannelPlay(neverCreated, false));
    const int code = BASS_ErrorGetCode();
    ASSERT_NE(code, 0);
    ASSERT_FALSE(BASS_ChannelPlay(neverCreated, false));
    BassErrorFunction("PlayListA1", tracer, dialogs);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("BASS Error (%1):  ").arg(code) + BassErrorText(code) +
                                           "\r\rFUNCTION/PROCEDURE:\rPlayListA1");
}
