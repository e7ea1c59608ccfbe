#include "DecoderTestFiles.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace DecoderTestFiles;

namespace {
struct FirstSampleCase
{
    const char* label;
    const char* file;
};

std::ostream& operator<<(std::ostream& os, const FirstSampleCase& c)
{
    return os << c.label;
}

// Every file holds the reference: 440 Hz left and 660 Hz right, both starting at phase 0 on the
// first frame. Finds where in the decoded output that first frame lies, by the offset whose
// stretch matches the reference best (least squared difference).
std::int64_t OffsetOfFirstFrame(const std::vector<std::int16_t>& decoded, std::int64_t maxOffset)
{
    const auto& reference = ReferenceSamples();
    constexpr std::int64_t kSpan = 8192;
    std::int64_t best = -1;
    double bestError = 0.0;
    for (std::int64_t offset = 0; offset <= maxOffset; ++offset) {
        double error = 0.0;
        for (std::int64_t i = 0; i < kSpan; i += 3) {
            // Both channels: 440 Hz and 660 Hz together repeat only every 2205 frames.
            for (std::int64_t c = 0; c < 2; ++c) {
                const double d = decoded[static_cast<std::size_t>(2 * (offset + i) + c)] -
                                 reference[static_cast<std::size_t>(2 * (2048 + i) + c)];
                error += d * d;
            }
        }
        if (best < 0 || error < bestError) {
            best = offset;
            bestError = error;
        }
    }
    // Compared from reference frame 2048 on (past any codec's start-up): the first frame is there.
    return best - 2048;
}

class DecoderFirstSample : public ::testing::TestWithParam<FirstSampleCase>
{
};
} // namespace

// Encoder delay, decoder delay and the first transform block of WMA are all trimmed: the first
// frame delivered is the first frame the file was made from.
TEST_P(DecoderFirstSample, FirstDeliveredFrameIsTheFirstFrameOfTheSound)
{
    ASSERT_FALSE(Folder().empty());
    int code = -1;
    auto source = OpenAudioFile(PathOf(GetParam().file), 2, code);
    ASSERT_NE(source, nullptr) << code;
    const auto decoded = ReadToEnd(*source, 4096);
    ASSERT_GT(decoded.size(), 2u * 20000);
    // The sine repeats every 2205 frames (22 periods): the search stays inside one repetition,
    // from a start 2048 frames early to one 1100 frames late.
    EXPECT_EQ(OffsetOfFirstFrame(decoded, 2048 + 1100), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryFileType, DecoderFirstSample,
                         ::testing::Values(FirstSampleCase{"Wav", "reference.wav"},
                                           FirstSampleCase{"Flac", "lossless.flac"},
                                           FirstSampleCase{"OggVorbis", "vorbis.ogg"},
                                           FirstSampleCase{"Mp3WithGaplessTag", "gapless.mp3"},
                                           FirstSampleCase{"Mp2", "layer2.mp2"},
                                           FirstSampleCase{"Wma", "windows.wma"}),
                         [](const auto& param) { return std::string(param.param.label); });
