#include "EngineTestSupport.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace EngineTest;

TEST(EngineErrors, CallsBeforeInitialisationFailWithInit)
{
    BASS_Free();
    EXPECT_FALSE(BASS_Free());
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Init);
    EXPECT_EQ(BASS_StreamCreateFile(false, "/tmp/x.wav", 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Init);
    EXPECT_FALSE(BASS_Start());
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Init);
    EXPECT_FALSE(BASS_SetVolume(50));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Init);
    // The buffer length may be set at any time.
    EXPECT_EQ(BASS_SetConfig(BASS_CONFIG_BUFFER, 300), 300u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Ok);
    EXPECT_EQ(BASS_SetConfig(7, 300), 0xFFFFFFFFu);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalType);
    EXPECT_EQ(BASS_GetVersion() >> 16, 0x0203u);
}

TEST(EngineErrors, InitialisationRefusesBadDevicesRatesAndASecondInit)
{
    BASS_Free();
    EXPECT_FALSE(BASS_Init(99, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Device);
    EXPECT_FALSE(BASS_Init(0, 1000, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Frequency);
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_FALSE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Already);
    EXPECT_TRUE(BASS_Free());
}

class EngineHandleErrors : public ManualEngine {};

TEST_F(EngineHandleErrors, FreedHandlesFailSafelyAndAreNeverReused)
{
    const BassHandle h = EngineStreamCreate(Constant(2, 1000, 0.1), 0);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    Render(100);
    ASSERT_TRUE(BASS_StreamFree(h));
    EXPECT_FALSE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Handle);
    EXPECT_EQ(BASS_ChannelGetPosition(h), -1);
    EXPECT_EQ(BASS_ChannelGetLength(h), -1);
    EXPECT_LT(BASS_ChannelBytes2Seconds(h, 100), 0.0);
    EXPECT_EQ(BASS_ChannelIsActive(h), 0u);
    EXPECT_EQ(BASS_ChannelGetLevel(h), 0u);
    EXPECT_FALSE(BASS_ChannelSlideAttributes(h, -1, 0, -101, 100));
    EXPECT_FALSE(BASS_StreamFree(h));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Handle);
    const BassHandle next = EngineStreamCreate(Constant(2, 1000, 0.1), 0);
    EXPECT_GT(next, h);
    BASS_Free();
    ASSERT_TRUE(EngineInitManual(kRate, 0));
    EXPECT_GT(EngineStreamCreate(Constant(2, 1000, 0.1), 0), next);
}

TEST_F(EngineHandleErrors, TransportAndAttributeMisuseGiveTheirCodes)
{
    const BassHandle h = EngineStreamCreate(Constant(2, 1000, 0.1), 0);
    EXPECT_FALSE(BASS_ChannelPause(h));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::NotPlaying);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    ASSERT_TRUE(BASS_ChannelPause(h));
    EXPECT_FALSE(BASS_ChannelPause(h));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Already);
    EXPECT_FALSE(BASS_ChannelSetAttributes(h, -1, 101, -101));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalParam);
    EXPECT_FALSE(BASS_ChannelSetAttributes(h, 5, -1, -101));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Frequency);
    EXPECT_FALSE(BASS_SetVolume(101));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalParam);
    EXPECT_FALSE(BASS_ChannelSetPosition(h, -4));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Position);
    EXPECT_EQ(BASS_ChannelGetData(h, nullptr, 100), -1); // not a decoding stream
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::NotAvailable);
    EXPECT_EQ(BASS_FX_TempoCreate(h, BASS_FX_FREESOURCE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Decode);
    EXPECT_FALSE(BASS_FX_TempoSet(h, 10.0f, 0.0f, -100.0f)); // only tempo streams
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Handle);
    ASSERT_TRUE(BASS_Stop());
    EXPECT_FALSE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Start);
    ASSERT_TRUE(BASS_Start());
    EXPECT_TRUE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Ok);
}

TEST_F(EngineHandleErrors, TooManyLiveStreamsOrEffectsAreRefused)
{
    std::vector<BassHandle> handles;
    bool refused = false;
    for (int i = 0; i < 40 && !refused; ++i) {
        const BassHandle h = EngineStreamCreate(Constant(2, 1000, 0.01), 0);
        refused = !BASS_ChannelPlay(h, false);
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::NoChannel);

    const BassHandle h = EngineStreamCreate(Constant(2, 1000, 0.01), 0);
    BassFxHandle last = 1;
    for (int i = 0; i < 40 && last != 0; ++i) {
        last = BASS_ChannelSetFX(h, BassFxParamEq, 1);
    }
    EXPECT_EQ(last, 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::NoEffects);
}

TEST_F(EngineHandleErrors, BadFilesGiveFileCodesNeverAStream)
{
    EXPECT_EQ(BASS_StreamCreateFile(false, "/nonexistent/nothing.wav", 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileOpen);
    const std::string text = ::testing::TempDir() + "rbx_engine_not_sound.mp3";
    {
        std::ofstream out(text);
        out << "This is a text file that only looks like an MP3 by its name.\n";
    }
    EXPECT_EQ(BASS_StreamCreateFile(false, text.c_str(), 0, 0, BASS_STREAM_DECODE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileFormat);
    const std::string empty = ::testing::TempDir() + "rbx_engine_empty.wma";
    {
        std::ofstream out(empty);
    }
    EXPECT_EQ(BASS_WMA_StreamCreateFile(false, empty.c_str(), 0, 0, 0), 0u);
    EXPECT_NE(BASS_ErrorGetCode(), BassError::Ok);
    std::remove(text.c_str());
    std::remove(empty.c_str());
}
