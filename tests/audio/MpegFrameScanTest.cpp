#include "audio/MpegFrameScan.h"
#include "DecoderTestFiles.h"
#include "audio/FfmpegFrameIndex.h"
#include "audio/FfmpegInput.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace DecoderTestFiles;

namespace {
// The packets as FFmpeg's demuxer gives them: the reference the quick scan must agree with.
MpegFrameScan::Result DemuxerPackets(const std::string& path)
{
    MpegFrameScan::Result out;
    FfmpegInput input;
    int code = 0;
    EXPECT_TRUE(input.open(path, code)) << path;
    FfmpegInput::PacketInfo info;
    bool first = true;
    while (input.nextPacket(info) == 1) {
        if (info.frames <= 0) {
            continue;
        }
        if (first) {
            out.skipStart = info.skipStart;
            first = false;
        }
        out.skipEnd += info.skipEnd;
        out.frames.push_back(MpegFrameScan::Frame{info.pos, info.frames});
    }
    return out;
}

void ExpectSameAsDemuxer(const std::string& path)
{
    MpegFrameScan::Result quick;
    ASSERT_TRUE(MpegFrameScan::Scan(path, quick)) << path;
    const MpegFrameScan::Result reference = DemuxerPackets(path);
    ASSERT_EQ(quick.frames.size(), reference.frames.size()) << path;
    for (std::size_t i = 0; i < quick.frames.size(); ++i) {
        ASSERT_EQ(quick.frames[i].pos, reference.frames[i].pos) << path << " frame " << i;
        ASSERT_EQ(quick.frames[i].frames, reference.frames[i].frames) << path << " frame " << i;
    }
    EXPECT_EQ(quick.skipStart, reference.skipStart) << path;
    EXPECT_EQ(quick.skipEnd, reference.skipEnd) << path;
}

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
} // namespace

TEST(MpegFrameScan, EveryMpegTestFileReadsAsTheDemuxerReadsIt)
{
    ASSERT_FALSE(Folder().empty());
    for (const char* name : {"gapless.mp3", "untagged.mp3", "lowrate.mp3", "layer2.mp2", "layer1.mp1"}) {
        ExpectSameAsDemuxer(PathOf(name));
    }
}

TEST(MpegFrameScan, TagsBeforeAndAfterTheFramesAreSteppedOver)
{
    ASSERT_FALSE(Folder().empty());
    auto bytes = Bytes(PathOf("gapless.mp3"));
    // An ID3v2 tag of 90 bytes of body (sizes are 7 bits a byte), and an ID3v1 tag at the end.
    std::vector<char> tagged = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 90};
    tagged.resize(tagged.size() + 90, 0);
    tagged.insert(tagged.end(), bytes.begin(), bytes.end());
    std::vector<char> v1(128, ' ');
    v1[0] = 'T';
    v1[1] = 'A';
    v1[2] = 'G';
    tagged.insert(tagged.end(), v1.begin(), v1.end());
    const std::string path = Folder() + "/scan-tagged.mp3";
    Write(path, tagged);
    ExpectSameAsDemuxer(path);
    MpegFrameScan::Result scan;
    ASSERT_TRUE(MpegFrameScan::Scan(path, scan));
    EXPECT_GT(scan.frames.front().pos, 100) << "the Xing frame after the tag is not sound";
}

TEST(MpegFrameScan, IrregularFilesAreLeftToTheDemuxer)
{
    ASSERT_FALSE(Folder().empty());
    const auto bytes = Bytes(PathOf("untagged.mp3"));
    MpegFrameScan::Result scan;

    auto cut = bytes;
    cut.resize(cut.size() - 100); // the last frame is cut short
    Write(Folder() + "/scan-cut.mp3", cut);
    EXPECT_FALSE(MpegFrameScan::Scan(Folder() + "/scan-cut.mp3", scan));

    auto broken = bytes;
    for (std::size_t i = broken.size() / 2; i < broken.size() / 2 + 3000; ++i) {
        broken[i] = 0x11; // a run of garbage in the middle
    }
    Write(Folder() + "/scan-broken.mp3", broken);
    EXPECT_FALSE(MpegFrameScan::Scan(Folder() + "/scan-broken.mp3", scan));

    EXPECT_FALSE(MpegFrameScan::Scan(PathOf("reference.wav"), scan));
    EXPECT_FALSE(MpegFrameScan::Scan(Folder() + "/no-such-file.mp3", scan));
    Write(Folder() + "/scan-empty.mp3", {});
    EXPECT_FALSE(MpegFrameScan::Scan(Folder() + "/scan-empty.mp3", scan));
}

TEST(MpegFrameScan, HeadersGiveTheFrameSizesOfEachLayerAndVersion)
{
    MpegFrameScan::Header h;
    const unsigned char layer3[] = {0xFF, 0xFB, 0x90, 0x64}; // MPEG-1 layer 3, 128 kbit/s, 44100 Hz
    ASSERT_TRUE(MpegFrameScan::ParseHeader(layer3, h));
    EXPECT_EQ(h.bytes, 417);
    EXPECT_EQ(h.samples, 1152);
    EXPECT_EQ(h.channels, 2);
    const unsigned char padded[] = {0xFF, 0xFB, 0x92, 0xC4}; // the same with padding, mono
    ASSERT_TRUE(MpegFrameScan::ParseHeader(padded, h));
    EXPECT_EQ(h.bytes, 418);
    EXPECT_EQ(h.channels, 1);
    const unsigned char mpeg2[] = {0xFF, 0xF3, 0x40, 0xC4}; // MPEG-2 layer 3, 32 kbit/s, 22050 Hz
    ASSERT_TRUE(MpegFrameScan::ParseHeader(mpeg2, h));
    EXPECT_EQ(h.samples, 576);
    EXPECT_EQ(h.sampleRate, 22050);
    EXPECT_EQ(h.bytes, 72 * 32000 / 22050);
    const unsigned char freeFormat[] = {0xFF, 0xFB, 0x00, 0x64};
    EXPECT_FALSE(MpegFrameScan::ParseHeader(freeFormat, h));
    const unsigned char reserved[] = {0xFF, 0xEB, 0x90, 0x64}; // reserved version
    EXPECT_FALSE(MpegFrameScan::ParseHeader(reserved, h));
}

namespace {
std::string MakeLongFile(const std::string& name, const std::string& signal, const std::string& codec)
{
    const std::string path = Folder() + "/" + name;
    const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i \"" + signal + "\" -ac 1 " + codec +
                             " '" + path + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(make.c_str()), 0);
    return path;
}

// A copy is a file no stream has opened, so no scan of it has run yet.
std::unique_ptr<PcmSource> OpenFreshCopy(const std::string& path, const std::string& tag)
{
    const std::string copy = path + "-" + tag + std::filesystem::path(path).extension().string();
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
    int code = 0;
    return OpenAudioFile(copy, 2, code);
}

// How far (in frames, a multiple of `step`, within `bound`) the next `frames` frames read lie
// from `at` in the whole decode; -1 << 40 when they match nowhere.
std::int64_t OffsetOfNextFrames(PcmSource& source, const std::vector<std::int16_t>& full, std::int64_t at,
                                std::int64_t frames, std::int64_t step, std::int64_t bound)
{
    std::vector<std::int16_t> got(static_cast<std::size_t>(frames) * 2);
    if (source.read(got.data(), frames) != frames) {
        return std::int64_t{-1} << 40;
    }
    for (std::int64_t d = 0; d <= bound; d += step) {
        for (const std::int64_t offset : {d, -d}) {
            const std::int64_t from = (at + offset) * 2;
            if (from >= 0 && from + frames * 2 <= static_cast<std::int64_t>(full.size()) &&
                std::equal(got.begin(), got.end(), full.begin() + from)) {
                return offset;
            }
        }
    }
    return std::int64_t{-1} << 40;
}

// Ten seconds of a tone, ten of noise, over and over: a variable-rate encoder's rate swings.
const std::string kVaryingRate = "aevalsrc=0.5*sin(300*2*PI*t)*lt(mod(t\\,20)\\,10)+"
                                 "0.3*(random(0)-0.5)*gte(mod(t\\,20)\\,10):s=8000:d=600";

struct HeldScans
{
    HeldScans() { FfmpegFrameIndex::HoldScans(true); }
    ~HeldScans() { FfmpegFrameIndex::HoldScans(false); }
};
} // namespace

// A long file opened for the first time: the seek does not wait for a scan of the whole file, and
// lands on exactly the samples a decode from the start gives there. While the scan still runs the
// seek starts from the bit rate, which for a file of constant rate is exact as well; the sound
// then goes on unbroken when the scan ends, and the next seek is exact.
TEST(MpegFrameScan, SeekRightAfterOpeningALongFileIsExact)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = MakeLongFile(
        "twenty-minutes.mp3", "sine=frequency=300:sample_rate=8000:duration=1200", "-c:a libmp3lame -b:a 8k");
    int code = 0;
    auto whole = OpenAudioFile(path, 2, code);
    ASSERT_NE(whole, nullptr);
    const auto full = ReadToEnd(*whole, 8192);
    const auto length = static_cast<std::int64_t>(full.size() / 2);
    ASSERT_GT(length, 8000LL * 1190);

    for (const std::int64_t target : {length / 2 + 123, length - 5000, std::int64_t{7 * 576 + 1}}) {
        auto fresh = OpenFreshCopy(path, std::to_string(target));
        ASSERT_NE(fresh, nullptr);
        bool exact = false;
        EXPECT_EQ(fresh->lengthFramesWithin(std::chrono::milliseconds(2000), exact), length);
        EXPECT_TRUE(exact);
        ASSERT_TRUE(fresh->seekFrame(target)) << target;
        EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target, 2000, 1, 0), 0) << "frame " << target;
    }
    // Not near the end: there the last frames' padding is waited for.
    for (const std::int64_t target : {length / 2 + 123, length - 8000 * 180, std::int64_t{7 * 576 + 1}}) {
        std::unique_ptr<PcmSource> fresh;
        {
            const HeldScans held;
            fresh = OpenFreshCopy(path, "held-" + std::to_string(target));
            ASSERT_NE(fresh, nullptr);
            bool exact = true;
            fresh->lengthFramesWithin(std::chrono::milliseconds(0), exact);
            EXPECT_FALSE(exact) << "the scan is held";
            ASSERT_TRUE(fresh->seekFrame(target)) << target;
            EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target, 1000, 1, 0), 0)
                << "estimated, frame " << target;
        }
        EXPECT_EQ(fresh->lengthFrames(), length);
        EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target + 1000,
                                     std::min<std::int64_t>(2000, length - target - 1000), 1, 0),
                  0)
            << "after the scan, frame " << target;
        ASSERT_TRUE(fresh->seekFrame(target / 3)) << target;
        EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target / 3, 2000, 1, 0), 0) << "frame " << target / 3;
    }
}

// A file of varying bit rate: while the scan runs, a seek starts from the Xing tag's table and
// lands on a frame boundary within the table's error (a 256th of the file, plus the rate's
// changes within a step). When the scan ends the count handed out never goes back: a sound
// behind it passes over the frames between and is exact from there, one ahead of it goes on
// unbroken. The stream ends at the file's exact end, and the next seek is exact.
TEST(MpegFrameScan, SeekBeforeTheScanOfAVariableRateFileLandsWithinTheTablesError)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = MakeLongFile("varying.mp3", kVaryingRate, "-c:a libmp3lame -q:a 2");
    int code = 0;
    auto whole = OpenAudioFile(path, 2, code);
    ASSERT_NE(whole, nullptr);
    const auto full = ReadToEnd(*whole, 8192);
    const auto length = static_cast<std::int64_t>(full.size() / 2);
    ASSERT_GT(length, 8000LL * 590);
    const std::int64_t target = length / 2 + 77;
    std::unique_ptr<PcmSource> fresh;
    std::int64_t offset = 0;
    {
        const HeldScans held;
        fresh = OpenFreshCopy(path, "held");
        ASSERT_NE(fresh, nullptr);
        ASSERT_TRUE(fresh->seekFrame(target));
        offset = OffsetOfNextFrames(*fresh, full, target, 1000, 576, length / 100);
        EXPECT_LE(std::abs(offset), length / 100) << "the estimate lands within 1 % of the file";
    }
    EXPECT_EQ(fresh->lengthFrames(), length);
    // The rest of the packet read last is still handed out as it was placed.
    const std::int64_t ahead = std::max<std::int64_t>(offset, 0);
    std::vector<std::int16_t> rest(2 * 576 * 2);
    ASSERT_EQ(fresh->read(rest.data(), 2 * 576), 2 * 576);
    EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target + 1000 + 2 * 576 + ahead, 4000, 1, 0), 0)
        << "offset " << offset;
    std::int64_t played = target + 1000 + 2 * 576 + 4000;
    std::vector<std::int16_t> block(8192 * 2);
    for (std::int64_t got = 1; got > 0;) {
        got = fresh->read(block.data(), 8192);
        played += got;
    }
    EXPECT_EQ(played + ahead, length) << "the stream plays to the file's exact end";
    ASSERT_TRUE(fresh->seekFrame(target));
    EXPECT_EQ(OffsetOfNextFrames(*fresh, full, target, 2000, 1, 0), 0);
}

// Without a table, a file of varying rate is not placed by its first frame's bit rate (here
// 40 kbit/s, where the tone takes 8 and the noise 16-24): the seek waits for the scan and
// lands exactly.
TEST(MpegFrameScan, WithoutATableAVariableRateFileIsNotPlacedByItsFirstFrame)
{
    ASSERT_FALSE(Folder().empty());
    int code = 0;
    const std::string untagged =
        MakeLongFile("varying-untagged.mp3", kVaryingRate, "-c:a libmp3lame -q:a 2 -write_xing 0");
    auto plain = OpenAudioFile(untagged, 2, code);
    ASSERT_NE(plain, nullptr);
    const auto plainFull = ReadToEnd(*plain, 8192);
    const std::int64_t inTheNoise = 8000 * 135;
    std::unique_ptr<PcmSource> copy;
    bool sought = false;
    {
        const HeldScans held;
        copy = OpenFreshCopy(untagged, "held");
        ASSERT_NE(copy, nullptr);
        std::thread release([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            FfmpegFrameIndex::HoldScans(false);
        });
        sought = copy->seekFrame(inTheNoise);
        release.join();
    }
    ASSERT_TRUE(sought);
    EXPECT_EQ(OffsetOfNextFrames(*copy, plainFull, inTheNoise, 2000, 1, 0), 0);
}

// Opening a file is bounded in the bytes it may read; the scan and the playing of a long file are
// not: a file of 42 MB is measured and played from its start to its end, also after a seek back.
TEST(MpegFrameScan, AFileLongerThanWhatOpeningMayReadIsMeasuredAndPlayedToItsEnd)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = Folder() + "/forty-megabytes.mp1";
    constexpr int kFrames = 110000; // of 384 bytes and 384 samples each
    ASSERT_TRUE(WriteLayerOneFile(path, kFrames));
    int code = 0;
    auto source = OpenAudioFile(path, 1, code);
    ASSERT_NE(source, nullptr);
    // The decoder's delay takes less than two frames' samples.
    const std::int64_t length = source->lengthFrames();
    EXPECT_GT(length, std::int64_t{kFrames - 2} * 384);
    std::vector<std::int16_t> block(1 << 16);
    ASSERT_EQ(source->read(block.data(), 1000), 1000);
    ASSERT_TRUE(source->seekFrame(0));
    std::int64_t played = 0;
    for (std::int64_t got = 1; got > 0 && played <= length;) {
        got = source->read(block.data(), static_cast<std::int64_t>(block.size()));
        played += got;
    }
    EXPECT_EQ(played, length);
    std::filesystem::remove(path);
}

// A FLAC written through a pipe (as streaming recorders write it) states no length, and is
// measured by decoding all of it: hours take seconds. A caller that may wait only a little gets
// the estimate by the bytes the scan has passed, not a wait for the whole file; the exact figure
// follows once the scan has finished.
TEST(MpegFrameScan, AFileThatStatesNoLengthIsEstimatedWithinTheWaitAndMeasuredAfter)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = Folder() + "/piped.flac";
    const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i sine=frequency=300:sample_rate=44100:duration=300 "
                             "-ac 2 -c:a flac -f flac pipe:1 > '" + path + "' 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    constexpr std::int64_t kFrames = 44100LL * 300;
    std::unique_ptr<PcmSource> source;
    {
        const HeldScans held;
        source = OpenFreshCopy(path, "held");
        ASSERT_NE(source, nullptr);
        bool exact = true;
        std::int64_t estimate = 0;
        // Until the held scan has counted two packets: before that the figure is the one packet
        // counted, no projection (a generous bound for a busy machine).
        for (int i = 0; i < 1000 && estimate < kFrames / 10; ++i) {
            estimate = source->lengthFramesWithin(std::chrono::milliseconds(20), exact);
            EXPECT_FALSE(exact);
        }
        EXPECT_NEAR(static_cast<double>(estimate), static_cast<double>(kFrames), 0.05 * kFrames);
    }
    bool exact = false;
    EXPECT_EQ(source->lengthFramesWithin(std::chrono::milliseconds(120000), exact), kFrames);
    EXPECT_TRUE(exact);
}
