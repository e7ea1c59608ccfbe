// WMA files whose positions come from packet times: lengths and seeks checked against a decode of
// the whole file from its start, for both WMA versions and every frame length.
#include "DecoderTestFiles.h"

#include "audio/BassErrorCodes.h"
#include "audio/FfmpegFrameIndex.h"
#include "audio/FfmpegInput.h"
#include "audio/FfmpegPacketGrid.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

using namespace DecoderTestFiles;

namespace {
struct GridCase
{
    const char* label;
    const char* file;
    const char* encoderArgs;
    int seconds;
    std::int64_t frameLength;
    // At low bit rates the codec fills bands with noise from a generator that runs on through the
    // whole file, so a decode started anywhere else draws other noise; the chirp itself must
    // still match (a single frame of shift differs by thousands).
    int noiseTolerance;
};

std::ostream& operator<<(std::ostream& os, const GridCase& c)
{
    return os << c.label;
}

// A chirp: no stretch of it repeats, so a seek one frame off cannot match by chance.
const GridCase kCases[] = {
    {"Wma2", "grid-v2.wma", "-ar 44100 -ac 2 -c:a wmav2 -b:a 128k", 180, 2048, 0},
    {"Wma1", "grid-v1.wma", "-ar 44100 -ac 2 -c:a wmav1 -b:a 128k", 180, 2048, 0},
    {"Wma2Mono22050", "grid-v2-22k.wma", "-ar 22050 -ac 1 -c:a wmav2 -b:a 32k", 60, 1024, 0},
    {"Wma1At32000NoiseCoded", "grid-v1-32k.wma", "-ar 32000 -ac 2 -c:a wmav1 -b:a 64k", 60, 1024, 200},
    {"Wma2At16000NoiseCoded", "grid-v2-16k.wma", "-ar 16000 -ac 1 -c:a wmav2 -b:a 32k", 60, 512, 200},
};

std::string MadeFile(const GridCase& c)
{
    static std::map<std::string, bool> made;
    const std::string path = PathOf(c.file);
    if (made.count(c.file) == 0) {
        const std::string command = std::string("ffmpeg -nostdin -v error -y -f lavfi -i "
                                                "\"aevalsrc=0.5*sin(2*PI*(100*t+20*t*t)):s=44100:d=") +
                                    std::to_string(c.seconds) + "\" " + c.encoderArgs + " '" + path +
                                    "' >/dev/null 2>&1";
        made[c.file] = std::system(command.c_str()) == 0;
    }
    return made[c.file] ? path : std::string();
}

// The decoder's whole output from the file's start, as stereo, with nothing of ours between.
std::vector<std::int16_t> DecodeEverything(const std::string& path)
{
    FfmpegInput input;
    int code = 0;
    std::vector<std::int16_t> out;
    if (!input.open(path, code)) {
        return out;
    }
    FfmpegInput::Chunk chunk;
    while (input.decodeNext(chunk) == 1) {
        out.insert(out.end(), chunk.stereo.begin(), chunk.stereo.begin() + chunk.frames * 2);
    }
    return out;
}

std::unique_ptr<PcmSource> OpenStereo(const std::string& path)
{
    int code = -99;
    auto source = OpenAudioFile(path, 2, code);
    EXPECT_EQ(code, BassError::Ok);
    return source;
}

class DecoderWmaGridTest : public ::testing::TestWithParam<GridCase>
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Folder().empty());
        path_ = MadeFile(GetParam());
        ASSERT_FALSE(path_.empty()) << "ffmpeg could not make " << GetParam().file;
        raw_ = DecodeEverything(path_);
        ASSERT_GT(raw_.size(), 2 * static_cast<std::size_t>(GetParam().frameLength));
    }
    std::int64_t rawFrames() const { return static_cast<std::int64_t>(raw_.size() / 2); }
    // Frame i of what a play delivers: the decoder's output less its first (overlap-only) block.
    std::int16_t delivered(std::int64_t frame, int side) const
    {
        return raw_[static_cast<std::size_t>((frame + GetParam().frameLength) * 2 + side)];
    }

    std::string path_;
    std::vector<std::int16_t> raw_;
};
} // namespace

TEST_P(DecoderWmaGridTest, PacketTimesGiveTheDecodersWholeOutput)
{
    FfmpegPacketGrid::Grid grid;
    std::atomic<bool> stop{false};
    ASSERT_TRUE(FfmpegPacketGrid::Measure(path_, grid, stop));
    EXPECT_EQ(grid.frameLength, GetParam().frameLength);
    EXPECT_EQ(grid.totalFrames, rawFrames());

    // The shared index takes the same figure without decoding the file, and records no packets.
    FfmpegFrameIndex index(path_, FfmpegFrameIndex::Mode::Grid);
    index.waitDone();
    EXPECT_TRUE(index.onGrid());
    EXPECT_EQ(index.totalFrames(), rawFrames());
    FfmpegFrameIndex::Entry entry;
    EXPECT_FALSE(index.entryBefore(0, 0, entry));
}

TEST_P(DecoderWmaGridTest, LengthIsTheDecodeLessItsFirstBlockAndReadDeliversExactlyThat)
{
    auto source = OpenStereo(path_);
    ASSERT_NE(source, nullptr);
    const std::int64_t length = rawFrames() - GetParam().frameLength;
    EXPECT_EQ(source->lengthFrames(), length);
    bool exact = false;
    EXPECT_EQ(source->lengthFramesWithin(std::chrono::milliseconds(0), exact), length);
    EXPECT_TRUE(exact);
    const auto all = ReadToEnd(*source, 4096);
    ASSERT_EQ(static_cast<std::int64_t>(all.size() / 2), length);
    for (std::int64_t i : {std::int64_t{0}, std::int64_t{1}, length / 2, length - 1}) {
        EXPECT_EQ(all[i * 2], delivered(i, 0)) << "frame " << i;
        EXPECT_EQ(all[i * 2 + 1], delivered(i, 1)) << "frame " << i;
    }
}

TEST_P(DecoderWmaGridTest, SeeksAnywhereLandOnTheSamplesOfTheWholeDecode)
{
    auto source = OpenStereo(path_);
    ASSERT_NE(source, nullptr);
    const std::int64_t length = source->lengthFrames();
    const std::int64_t f = GetParam().frameLength;
    std::vector<std::int64_t> targets = {length / 2, 0,          1,
                                         f - 1,      f,          f + 1,
                                         2 * f - 1,  3 * f + 17, 5 * f,
                                         length - 1, length - f, length - 3 * f - 5,
                                         length / 3, 7,          length - 2 * f};
    std::mt19937 random(GetParam().seconds);
    for (int i = 0; i < 12; ++i) {
        targets.push_back(std::uniform_int_distribution<std::int64_t>(0, length - 1)(random));
    }
    std::vector<std::int16_t> got(4000 * 2);
    for (const std::int64_t target : targets) {
        ASSERT_TRUE(source->seekFrame(target)) << "frame " << target;
        const std::int64_t want = std::min<std::int64_t>(4000, length - target);
        ASSERT_EQ(source->read(got.data(), want), want) << "frame " << target;
        int worst = 0;
        for (std::int64_t i = 0; i < want; ++i) {
            worst = std::max({worst, std::abs(got[i * 2] - delivered(target + i, 0)),
                              std::abs(got[i * 2 + 1] - delivered(target + i, 1))});
        }
        EXPECT_LE(worst, GetParam().noiseTolerance) << "frame " << target;
    }
    // A seek, then reading on to the end, ends on the length exactly.
    ASSERT_TRUE(source->seekFrame(length - 10000));
    EXPECT_EQ(ReadToEnd(*source, 999).size() / 2, 10000U);
    ASSERT_TRUE(source->seekFrame(length));
    EXPECT_EQ(source->read(got.data(), 10), 0);
    EXPECT_FALSE(source->seekFrame(length + 1));
    EXPECT_FALSE(source->seekFrame(length + 100000000));
    ASSERT_TRUE(source->seekFrame(3));
    ASSERT_EQ(source->read(got.data(), 2), 2);
    EXPECT_EQ(got[0], delivered(3, 0));
}

INSTANTIATE_TEST_SUITE_P(BothVersionsAndEveryFrameLength, DecoderWmaGridTest, ::testing::ValuesIn(kCases),
                         ::testing::PrintToStringParamName());
