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
#include <functional>
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

namespace {
// A copy of the two-minute WMA 2 file with its bytes changed by `change`.
std::string DamagedCopy(const std::string& name, const std::function<void(std::vector<char>&)>& change)
{
    const std::string source = MadeFile(kCases[0]);
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (source.empty() || bytes.size() < 100000) {
        return {};
    }
    change(bytes);
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Whatever a damaged file holds, a play of it reads to an end that matches its final length,
// and seeks anywhere (and past the end) return without hanging.
void ExpectSafeToPlay(const std::string& path)
{
    int code = -99;
    auto source = OpenAudioFile(path, 2, code);
    if (source == nullptr) {
        EXPECT_NE(code, BassError::Ok);
        return;
    }
    const std::int64_t length = source->lengthFrames();
    std::vector<std::int16_t> got(2048 * 2);
    for (const std::int64_t target : {length / 2, length / 4, length - 1, length + 5000, std::int64_t{10}}) {
        if (source->seekFrame(target)) {
            EXPECT_LE(source->read(got.data(), 2048), 2048);
        }
    }
    ASSERT_TRUE(source->seekFrame(0));
    const auto all = ReadToEnd(*source, 4096);
    EXPECT_EQ(static_cast<std::int64_t>(all.size() / 2), source->lengthFrames());
}
} // namespace

// Cut short (a copy that stopped): the stated length is too long, the packets say where it ends.
TEST(DecoderWmaGridDamage, ACutFileIsMeasuredFromItsLastPacketAndSeeksStayExact)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = DamagedCopy("cut.wma", [](std::vector<char>& b) { b.resize(b.size() * 3 / 5); });
    ASSERT_FALSE(path.empty());
    const auto raw = DecodeEverything(path);
    const std::int64_t rawFrames = static_cast<std::int64_t>(raw.size() / 2);
    ASSERT_GT(rawFrames, 44100 * 100);
    FfmpegPacketGrid::Grid grid;
    std::atomic<bool> stop{false};
    ASSERT_TRUE(FfmpegPacketGrid::Measure(path, grid, stop));
    EXPECT_EQ(grid.totalFrames, rawFrames);

    auto source = OpenStereo(path);
    ASSERT_NE(source, nullptr);
    const std::int64_t length = source->lengthFrames();
    EXPECT_EQ(length, rawFrames - 2048);
    std::vector<std::int16_t> got(1000 * 2);
    for (const std::int64_t target : {length / 2, length - 500, std::int64_t{44100 * 107}}) {
        ASSERT_TRUE(source->seekFrame(target));
        const std::int64_t want = std::min<std::int64_t>(1000, length - target);
        ASSERT_EQ(source->read(got.data(), want), want);
        for (std::int64_t i = 0; i < want * 2; ++i) {
            ASSERT_EQ(got[i], raw[(target + 2048) * 2 + i]) << "frame " << target;
        }
    }
    // Where the stated length still reaches, but the file does not.
    EXPECT_FALSE(source->seekFrame(44100 * 150));
    ExpectSafeToPlay(path);
}

// A file claiming a bit reservoir has frames straddling packets: no grid, a full count instead.
TEST(DecoderWmaGridDamage, AFileWithABitReservoirIsCountedByDecodingInstead)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = DamagedCopy("reservoir.wma", [](std::vector<char>& b) {
        // WMA 2's wave format (tag 0x161, 2 channels, 44100 Hz), then its coding flags at +22.
        const char format[] = {0x61, 0x01, 0x02, 0x00, 0x44, static_cast<char>(0xac), 0x00, 0x00};
        const auto at = std::search(b.begin(), b.begin() + 4096, std::begin(format), std::end(format));
        if (at != b.begin() + 4096) {
            *(at + 22) = static_cast<char>(*(at + 22) | 0x02);
        }
    });
    ASSERT_FALSE(path.empty());
    FfmpegInput input;
    int code = 0;
    ASSERT_TRUE(input.open(path, code));
    EXPECT_FALSE(input.framesFollowPacketTimes());
    FfmpegPacketGrid::Grid grid;
    std::atomic<bool> stop{false};
    EXPECT_FALSE(FfmpegPacketGrid::Measure(path, grid, stop));
    FfmpegFrameIndex index(path, FfmpegFrameIndex::Mode::Grid);
    index.waitDone();
    EXPECT_FALSE(index.onGrid());
    ExpectSafeToPlay(path);
}

// Runs of garbage over packets and their times, at the start, the middle and the end.
TEST(DecoderWmaGridDamage, GarbageOverPacketsAnywhereIsSafeToPlayAndSeek)
{
    ASSERT_FALSE(Folder().empty());
    const double places[] = {0.0, 0.5, 0.97};
    for (const double place : places) {
        for (const int fill : {0x00, 0xff, 0x5a}) {
            const std::string path = DamagedCopy("garbage.wma", [&](std::vector<char>& b) {
                const std::size_t from =
                    std::max<std::size_t>(1200, static_cast<std::size_t>(b.size() * place));
                std::mt19937 random(static_cast<unsigned>(from) + fill);
                for (std::size_t i = from; i < std::min(b.size(), from + 40000); ++i) {
                    b[i] = static_cast<char>(fill == 0x5a ? random() : fill);
                }
            });
            ASSERT_FALSE(path.empty());
            SCOPED_TRACE("at " + std::to_string(place) + " with " + std::to_string(fill));
            ExpectSafeToPlay(path);
        }
    }
}
