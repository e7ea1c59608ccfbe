#include "EngineTestSupport.h"

#include <cmath>

using namespace EngineTest;

namespace {
double Db(double ratio)
{
    return 20.0 * std::log10(ratio);
}

BassFxHandle AddBand(BassHandle h, float centre, float gain)
{
    const BassFxHandle fx = BASS_ChannelSetFX(h, BassFxParamEq, 1);
    EXPECT_NE(fx, 0u);
    BassEqParams p;
    p.centerHz = centre;
    p.bandwidthSemitones = 18.0f;
    p.gainDb = gain;
    EXPECT_TRUE(BASS_FXSetParameters(fx, p));
    return fx;
}
} // namespace

class EngineEffects : public ManualEngine {};

TEST_F(EngineEffects, BandGainHoldsAtItsCentreWithinHalfADecibel)
{
    for (const float gain : {12.0f, -10.0f, 5.0f}) {
        for (const float centre : {100.0f, 1000.0f, 8000.0f}) {
            const BassHandle h = EngineStreamCreate(Sine(2, kRate, centre, 0.1), 0);
            AddBand(h, centre, gain);
            ASSERT_TRUE(BASS_ChannelPlay(h, false));
            const auto out = Render(kRate / 2);
            const double measured = Db(Amplitude(out, 2, 0, kRate / 4, kRate / 2, centre) / 0.1);
            EXPECT_NEAR(measured, gain, 0.5) << "centre " << centre << " gain " << gain;
            BASS_StreamFree(h);
        }
    }
}

TEST_F(EngineEffects, BandNearNyquistIsBypassedExactly)
{
    const BassHandle plain = PlaySource(Sine(2, kRate, 15000.0, 0.3));
    const auto reference = Render(8192);
    BASS_StreamFree(plain);
    const BassHandle h = EngineStreamCreate(Sine(2, kRate, 15000.0, 0.3), 0);
    AddBand(h, 20000.0f, 15.0f); // at or above 0.45 x 44100
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(Render(8192), reference);
}

TEST_F(EngineEffects, ReverbAtMinusNinetySixDecibelsLeavesTheSoundUntouched)
{
    const BassHandle plain = PlaySource(Sine(2, kRate / 4, 700.0, 0.4));
    const auto reference = Render(kRate / 2);
    BASS_StreamFree(plain);

    const BassHandle h = EngineStreamCreate(Sine(2, kRate / 4, 700.0, 0.4), 0);
    const BassFxHandle fx = BASS_ChannelSetFX(h, BassFxReverb, 1);
    BassReverbParams p;
    ASSERT_TRUE(BASS_FXGetParameters(fx, p));
    p.reverbMixDb = -96.0f;
    p.reverbTimeMs = 1200.0f;
    p.highFreqRatio = 0.1f;
    ASSERT_TRUE(BASS_FXSetParameters(fx, p));
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(Render(kRate / 2), reference);

    // At 0 dB the same sound rings on after its end.
    const BassHandle wet = EngineStreamCreate(Sine(2, kRate / 4, 700.0, 0.4), 0);
    const BassFxHandle fx2 = BASS_ChannelSetFX(wet, BassFxReverb, 1);
    p.reverbMixDb = 0.0f;
    ASSERT_TRUE(BASS_FXSetParameters(fx2, p));
    BassReverbParams back;
    ASSERT_TRUE(BASS_FXGetParameters(fx2, back));
    EXPECT_EQ(back.reverbTimeMs, 1200.0f);
    EXPECT_EQ(back.highFreqRatio, 0.1f);
    ASSERT_TRUE(BASS_ChannelSetAttributes(wet, -1, 100, -101));
    ASSERT_TRUE(BASS_ChannelPlay(wet, false));
    const auto out = Render(kRate / 2);
    EXPECT_NE(out, reference);
    // Beyond the source's end the channel has stopped; the tail is cut with it (as a stream
    // ends), so compare during the sound: reverb adds energy to the dry signal.
    EXPECT_GT(Peak(out, 2, 0, 0, kRate / 4), Peak(reference, 2, 0, 0, kRate / 4));
}

TEST_F(EngineEffects, ParametersReadBackAndOutOfRangeValuesAreRefused)
{
    const BassHandle h = EngineStreamCreate(Constant(2, 1000, 0.1), 0);
    const BassFxHandle band = AddBand(h, 250.0f, -3.0f);
    BassEqParams p;
    ASSERT_TRUE(BASS_FXGetParameters(band, p));
    EXPECT_EQ(p.centerHz, 250.0f);
    EXPECT_EQ(p.bandwidthSemitones, 18.0f);
    EXPECT_EQ(p.gainDb, -3.0f);
    p.gainDb = 16.0f;
    EXPECT_FALSE(BASS_FXSetParameters(band, p));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalParam);
    BassReverbParams r;
    EXPECT_FALSE(BASS_FXGetParameters(band, r));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalType);
    EXPECT_EQ(BASS_ChannelSetFX(h, 3, 1), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::IllegalType);
    ASSERT_TRUE(BASS_StreamFree(h));
    EXPECT_FALSE(BASS_FXGetParameters(band, p)); // effects die with their stream
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Handle);
}

TEST_F(EngineEffects, MovingABandWhilePlayingDoesNotClick)
{
    const BassHandle h = EngineStreamCreate(Sine(2, kRate, 200.0, 0.3), 0);
    const BassFxHandle fx = AddBand(h, 200.0f, 0.0f);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    auto before = Render(2048);
    BassEqParams p;
    ASSERT_TRUE(BASS_FXGetParameters(fx, p));
    p.gainDb = 15.0f;
    ASSERT_TRUE(BASS_FXSetParameters(fx, p));
    const auto after = Render(4096);
    // A 200 Hz sine at up to 0.3 x 5.6 moves at most ~0.05 a frame; a hard switch jumps more.
    float largestStep = std::fabs(after[0] - before[before.size() - 2]);
    for (int i = 1; i < 4096; ++i) {
        largestStep = std::max(largestStep, std::fabs(after[2 * i] - after[2 * (i - 1)]));
    }
    EXPECT_LT(largestStep, 0.06f);
}
