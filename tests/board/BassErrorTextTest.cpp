#include "board/BassErrorText.h"
#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

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

// Calls on a channel of the playing table that ended a moment ago are "not playing": a trace
// line, no box. Other failures of the same calls keep their boxes.
namespace {
// Half a second of a constant level, as a stream the engine plays.
class ShortSource : public PcmSource
{
public:
    int sampleRate() const override { return 44100; }
    int channels() const override { return 2; }
    std::int64_t lengthFrames() const override { return 22050; }
    std::int64_t read(std::int16_t* out, std::int64_t frames) override
    {
        const std::int64_t n = std::min(frames, 22050 - position_);
        std::fill_n(out, n * 2, std::int16_t{8000});
        position_ += n;
        return n;
    }
    bool seekFrame(std::int64_t frame) override
    {
        position_ = frame;
        return frame <= 22050;
    }

private:
    std::int64_t position_ = 0;
};

class ChannelRaceError : public BassErrorTest
{
protected:
    void SetUp() override
    {
        BASS_Free();
        ASSERT_TRUE(EngineInitManual(44100, 0));
    }
    void TearDown() override { BASS_Free(); }

    static void RenderSeconds(double seconds)
    {
        std::vector<float> out(static_cast<std::size_t>(2 * 44100 * seconds));
        ASSERT_TRUE(EngineRenderManual(out.data(), static_cast<int>(out.size() / 2)));
    }
};
} // namespace

TEST(ChannelRaceCodes, OnlyFreedEndedAndAlreadyPausedCountAsARace)
{
    EXPECT_TRUE(IsChannelRaceError(BassError::Handle));
    EXPECT_TRUE(IsChannelRaceError(BassError::NotPlaying));
    EXPECT_TRUE(IsChannelRaceError(BassError::Already));
    for (const int code : {BassError::Ok, BassError::Memory, BassError::Position, BassError::IllegalParam,
                           BassError::Init, BassError::Start, BassError::Unknown}) {
        EXPECT_FALSE(IsChannelRaceError(code)) << code;
    }
}

TEST_F(ChannelRaceError, PausingAnEndedAFreedOrAPausedChannelShowsNoBox)
{
    const BassHandle ended = EngineStreamCreate(std::make_unique<ShortSource>(), 0);
    ASSERT_TRUE(BASS_ChannelPlay(ended, false));
    RenderSeconds(1.0);
    ASSERT_EQ(BASS_ChannelIsActive(ended), BassActiveStopped);
    ASSERT_FALSE(BASS_ChannelPause(ended));
    ChannelErrorFunction(QStringLiteral("PauseButtonClickA"), tracer, dialogs);

    const BassHandle paused = EngineStreamCreate(std::make_unique<ShortSource>(), 0);
    ASSERT_TRUE(BASS_ChannelPlay(paused, false));
    ASSERT_TRUE(BASS_ChannelPause(paused));
    ASSERT_FALSE(BASS_ChannelPause(paused));
    ChannelErrorFunction(QStringLiteral("PauseButtonClickA"), tracer, dialogs);

    ASSERT_TRUE(BASS_StreamFree(ended));
    ASSERT_FALSE(BASS_ChannelSlideAttributes(ended, -1, 0, -101, 500));
    ChannelErrorFunction(QStringLiteral("PauseFadeOutExecute"), tracer, dialogs);

    EXPECT_TRUE(dialogs.Calls().empty());
    const QByteArray trace = Trace();
    EXPECT_EQ(trace.count("on a channel that had just ended, not playing"), 3) << trace.toStdString();
    EXPECT_TRUE(trace.contains("BASS Error (24)"));
    EXPECT_TRUE(trace.contains("BASS Error (14)"));
    EXPECT_TRUE(trace.contains("BASS Error (5) on a channel that had just ended, not playing - "
                               "FUNCTION/PROCEDURE: PauseFadeOutExecute"));
}

TEST_F(ChannelRaceError, AnyOtherFailureOfAChannelCallKeepsItsBox)
{
    const BassHandle h = EngineStreamCreate(std::make_unique<ShortSource>(), 0);
    ASSERT_FALSE(BASS_ChannelSetPosition(h, 44100LL * 4 * 60));
    const int code = BASS_ErrorGetCode();
    ASSERT_FALSE(IsChannelRaceError(code));
    BASS_ChannelSetPosition(h, 44100LL * 4 * 60); // leaves the same code for the report
    ChannelErrorFunction(QStringLiteral("AdvanceMouseUpA2"), tracer, dialogs);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("BASS Error (%1):  ").arg(code) + BassErrorText(code) +
                                           QStringLiteral("\r\rFUNCTION/PROCEDURE:\rAdvanceMouseUpA2"));
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
}
