#include "audio/PeakingBand.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

// The mixer runs neighbouring steady bands as one cascade for speed; the sound must be exactly
// what the bands give one after the other.
namespace {
constexpr int kRate = 44100;
constexpr std::array<float, 10> kCentres = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};

std::vector<float> Noise(int frames, int channels, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> spread(-0.5f, 0.5f);
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (float& s : samples) {
        s = spread(random);
    }
    return samples;
}

// Ten bands as the equalizer window sets them, with mixed gains (one flat).
std::array<PeakingBand, 10> Bands(int fadeFrames)
{
    std::array<PeakingBand, 10> bands;
    for (std::size_t b = 0; b < bands.size(); ++b) {
        BassEqParams p;
        p.centerHz = kCentres[b];
        p.bandwidthSemitones = 18.0f;
        p.gainDb = b == 4 ? 0.0f : (b % 2 == 0 ? 6.0f : -9.0f);
        bands[b].setTarget(PeakingCoefs(p, kRate), fadeFrames);
    }
    return bands;
}

void ExpectCascadeMatchesBandByBand(int channels)
{
    auto alone = Bands(256);
    auto together = Bands(256);
    for (int block = 0; block < 12; ++block) {
        const int frames = block == 5 ? 97 : 256; // an odd block as well
        auto expected = Noise(frames, channels, static_cast<unsigned>(block));
        auto got = expected;
        for (auto& band : alone) {
            band.process(expected.data(), frames, channels);
        }
        // As the mixer does: bands still in their cross-fade alone, steady ones together.
        std::vector<PeakingBand*> cascade;
        for (auto& band : together) {
            if (!band.steady()) {
                PeakingBand::ProcessCascade(cascade.data(), static_cast<int>(cascade.size()), got.data(),
                                            frames, channels);
                cascade.clear();
                band.process(got.data(), frames, channels);
            } else if (!band.bypassed()) {
                cascade.push_back(&band);
            }
        }
        PeakingBand::ProcessCascade(cascade.data(), static_cast<int>(cascade.size()), got.data(), frames,
                                    channels);
        ASSERT_EQ(got, expected) << "block " << block << ", " << channels << " channel(s)";
    }
}
} // namespace

TEST(PeakingCascade, TenBandsTogetherGiveExactlyWhatTheyGiveOneAfterTheOther)
{
    ExpectCascadeMatchesBandByBand(2);
    ExpectCascadeMatchesBandByBand(1);
}

TEST(PeakingCascade, FlatBandIsBypassedAndABoostedOneIsNot)
{
    PeakingBand flat;
    BassEqParams p;
    p.gainDb = 0.0f;
    flat.setTarget(PeakingCoefs(p, kRate), 64);
    EXPECT_FALSE(flat.bypassed()); // fading in from the earlier setting
    auto samples = Noise(64, 2, 7);
    const auto before = samples;
    flat.process(samples.data(), 64, 2);
    EXPECT_TRUE(flat.bypassed());
    EXPECT_EQ(samples, before);

    PeakingBand boosted;
    p.gainDb = 3.0f;
    boosted.setTarget(PeakingCoefs(p, kRate), 64);
    boosted.process(samples.data(), 64, 2);
    EXPECT_TRUE(boosted.steady());
    EXPECT_FALSE(boosted.bypassed());
    EXPECT_NE(samples, before);
}
