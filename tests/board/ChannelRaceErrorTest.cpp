// Calls on a channel of the playing table that ended a moment ago are "not playing": a trace
// line, no box. Other failures of the same calls keep their boxes.
#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/BassErrorText.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

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

class ChannelRaceError : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.Tracer = true;
        BASS_Free();
        ASSERT_TRUE(EngineInitManual(44100, 0));
    }
    void TearDown() override { BASS_Free(); }

    QByteArray Trace() const
    {
        QFile file(QDir(folder.path()).filePath("Tracer.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void RenderSeconds(double seconds)
    {
        std::vector<float> out(static_cast<std::size_t>(2 * 44100 * seconds));
        ASSERT_TRUE(EngineRenderManual(out.data(), static_cast<int>(out.size() / 2)));
    }

    QTemporaryDir folder;
    Settings settings;
    ManualClock clock{QDateTime(QDate(2024, 3, 5), QTime(13, 2, 3))};
    ScriptedDialogs dialogs;
    Tracer tracer{folder.path(), settings, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates)};
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
