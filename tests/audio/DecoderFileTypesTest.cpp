#include "DecoderTestFiles.h"

#include "audio/BassErrorCodes.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

using namespace DecoderTestFiles;

namespace {
struct FileCase
{
    const char* label;
    const char* file;
    int sampleRate;
    std::int64_t expectedFrames; // -1: whatever the decoder yields (no gapless information)
    std::int64_t slackFrames;    // without gapless information: decoder delay and padding allowed
    bool alignedWithReference;   // delay removed, same rate: sample i is reference sample i
    int referenceTolerance;      // largest difference from the reference where aligned
    bool carriesReferenceTone;   // 440 Hz at half scale left, 660 Hz at quarter scale right
};

std::ostream& operator<<(std::ostream& os, const FileCase& c)
{
    return os << c.label;
}

const FileCase kCases[] = {
    {"Wav", "reference.wav", 44100, kReferenceFrames, 0, true, 0, true},
    {"Bwf", "broadcast.bwf", 44100, kReferenceFrames, 0, true, 0, true},
    {"Flac", "lossless.flac", 44100, kReferenceFrames, 0, true, 0, true},
    {"OggVorbis", "vorbis.ogg", 44100, kReferenceFrames, 0, true, 600, true},
    {"Mp3WithGaplessTag", "gapless.mp3", 44100, kReferenceFrames, 0, true, 600, true},
    {"Mp3AtLowBitRate", "lowrate.mp3", 22050, -1, 2 * 1152, false, 0, true},
    {"Mp3WithoutTag", "untagged.mp3", 44100, -1, 2 * 1152, false, 0, true},
    {"Mp2", "layer2.mp2", 44100, -1, 2 * 1152, false, 0, true},
    {"Wma", "windows.wma", 44100, -1, 2 * 2048, false, 0, true},
    // Less the filter bank's delay of 481 frames, trimmed so the sound starts on its first sample.
    {"Mp1", "layer1.mp1", 48000, 261 * 384 - 481, 0, false, 0, false},
    {"MonoWav", "mono.wav", 44100, kReferenceFrames, 0, false, 0, false},
};

class DecoderFileTypesTest : public ::testing::TestWithParam<FileCase>
{
protected:
    void SetUp() override { ASSERT_FALSE(Folder().empty()) << "the test files could not be made"; }

    std::unique_ptr<PcmSource> open(int channels = 2)
    {
        int code = -99;
        auto source = OpenAudioFile(PathOf(GetParam().file), channels, code);
        EXPECT_EQ(code, BassError::Ok);
        return source;
    }
};

int PeakOf(const std::vector<std::int16_t>& samples, int channel, std::size_t fromFrame, std::size_t toFrame)
{
    int peak = 0;
    for (std::size_t i = fromFrame; i < toFrame && 2 * i + 1 < samples.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[2 * i + channel])));
    }
    return peak;
}
} // namespace

TEST_P(DecoderFileTypesTest, LengthIsExactlyTheFramesThatReadDelivers)
{
    auto source = open();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->sampleRate(), GetParam().sampleRate);
    EXPECT_EQ(source->channels(), 2);
    const std::int64_t length = source->lengthFrames();
    if (GetParam().expectedFrames >= 0) {
        EXPECT_EQ(length, GetParam().expectedFrames);
    } else {
        // Without gapless information the decoder's delay and padding stay: up to two codec frames.
        const std::int64_t scaled = kReferenceFrames * GetParam().sampleRate / kReferenceRate;
        EXPECT_NEAR(length, scaled, GetParam().slackFrames);
    }
    const auto all = ReadToEnd(*source, 777);
    EXPECT_EQ(static_cast<std::int64_t>(all.size() / 2), length);
    EXPECT_GT(PeakOf(all, 0, 0, all.size() / 2), 1000) << "decoded to near silence";
    std::int16_t spare[8] = {};
    EXPECT_EQ(source->read(spare, 4), 0);
    EXPECT_EQ(source->lengthFrames(), length);
}

TEST_P(DecoderFileTypesTest, SeekLandsOnTheSamplesADecodeFromTheStartGives)
{
    auto whole = open();
    ASSERT_NE(whole, nullptr);
    const auto full = ReadToEnd(*whole, 4096);
    const auto length = static_cast<std::int64_t>(full.size() / 2);
    ASSERT_GT(length, 20000);

    auto source = open();
    ASSERT_NE(source, nullptr);
    // Backwards and forwards, on and off packet boundaries, near both ends.
    const std::int64_t targets[] = {length / 2, 1, 1153, 4321, length - 100, 0, 37777, 1152 * 20, 384 * 7};
    std::vector<std::int16_t> got(3000 * 2);
    for (const std::int64_t target : targets) {
        ASSERT_TRUE(source->seekFrame(target)) << "frame " << target;
        const std::int64_t want = std::min<std::int64_t>(3000, length - target);
        const std::int64_t read = source->read(got.data(), want);
        ASSERT_EQ(read, want) << "frame " << target;
        int worst = 0;
        for (std::int64_t i = 0; i < want * 2; ++i) {
            worst = std::max(worst, std::abs(got[i] - full[target * 2 + i]));
        }
        EXPECT_EQ(worst, 0) << "frame " << target;
    }
    ASSERT_TRUE(source->seekFrame(length));
    EXPECT_EQ(source->read(got.data(), 10), 0);
    EXPECT_FALSE(source->seekFrame(length + 1));
    EXPECT_FALSE(source->seekFrame(-1));
    ASSERT_TRUE(source->seekFrame(5));
    EXPECT_EQ(source->read(got.data(), 10), 10);
    EXPECT_EQ(got[0], full[10]);
}

TEST_P(DecoderFileTypesTest, MonoOutputIsTheMeanOfBothSides)
{
    auto stereo = open(2);
    auto mono = open(1);
    ASSERT_NE(stereo, nullptr);
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->channels(), 1);
    EXPECT_EQ(mono->lengthFrames(), stereo->lengthFrames());
    const auto both = ReadToEnd(*stereo, 1000);
    const auto one = ReadToEnd(*mono, 999);
    ASSERT_EQ(one.size() * 2, both.size());
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < one.size(); ++i) {
        mismatches += one[i] != (both[2 * i] + both[2 * i + 1]) / 2 ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0U);
}

class DecoderToneTest : public DecoderFileTypesTest
{
};

TEST_P(DecoderToneTest, ToneLevelsAndTimingMatchTheReference)
{
    auto source = open();
    ASSERT_NE(source, nullptr);
    const auto all = ReadToEnd(*source, 4410);
    const std::size_t frames = all.size() / 2;
    ASSERT_GT(frames, 40000U);
    // Half scale left, quarter scale right, away from the ends where encoders fade in.
    EXPECT_NEAR(PeakOf(all, 0, 5000, frames - 5000), 16384, 16384 * 0.06);
    EXPECT_NEAR(PeakOf(all, 1, 5000, frames - 5000), 8192, 8192 * 0.08);
    if (!GetParam().alignedWithReference) {
        return;
    }
    const auto& reference = ReferenceSamples();
    ASSERT_EQ(all.size(), reference.size());
    int worst = 0;
    for (std::size_t i = 2 * 3000; i < all.size() - 2 * 3000; ++i) {
        worst = std::max(worst, std::abs(all[i] - reference[i]));
    }
    // A shift of one frame alone would differ by about 1000 on the 440 Hz side.
    EXPECT_LE(worst, GetParam().referenceTolerance);
}

std::vector<FileCase> ToneCases()
{
    std::vector<FileCase> cases;
    std::copy_if(std::begin(kCases), std::end(kCases), std::back_inserter(cases),
                 [](const FileCase& c) { return c.carriesReferenceTone; });
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryFileType, DecoderFileTypesTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.label); });
INSTANTIATE_TEST_SUITE_P(EveryFileTypeMadeFromTheTone, DecoderToneTest, ::testing::ValuesIn(ToneCases()),
                         [](const auto& param) { return std::string(param.param.label); });
