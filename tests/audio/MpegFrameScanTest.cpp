#include "audio/MpegFrameScan.h"
#include "DecoderTestFiles.h"
#include "audio/FfmpegInput.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

// A long file opened for the first time: the seek does not wait for a scan of the whole file, and
// lands on exactly the samples a decode from the start gives there.
TEST(MpegFrameScan, SeekRightAfterOpeningALongFileIsExact)
{
    ASSERT_FALSE(Folder().empty());
    const std::string path = Folder() + "/twenty-minutes.mp3";
    const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i "
                             "\"sine=frequency=300:sample_rate=8000:duration=1200\" -ac 1 "
                             "-c:a libmp3lame -b:a 8k '" +
                             path + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0);
    int code = 0;
    auto whole = OpenAudioFile(path, 2, code);
    ASSERT_NE(whole, nullptr);
    const auto full = ReadToEnd(*whole, 8192);
    const auto length = static_cast<std::int64_t>(full.size() / 2);
    ASSERT_GT(length, 8000LL * 1190);

    for (const std::int64_t target : {length / 2 + 123, length - 5000, std::int64_t{7 * 576 + 1}}) {
        // A copy is a file no stream has opened, so no scan of it has run yet.
        const std::string copy = path + "-" + std::to_string(target) + ".mp3";
        std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
        auto fresh = OpenAudioFile(copy, 2, code);
        ASSERT_NE(fresh, nullptr);
        bool exact = false;
        EXPECT_EQ(fresh->lengthFramesWithin(std::chrono::milliseconds(2000), exact), length);
        EXPECT_TRUE(exact);
        ASSERT_TRUE(fresh->seekFrame(target)) << target;
        std::vector<std::int16_t> got(2000 * 2);
        ASSERT_EQ(fresh->read(got.data(), 2000), 2000) << target;
        int worst = 0;
        for (std::size_t i = 0; i < got.size(); ++i) {
            worst = std::max(worst, std::abs(got[i] - full[static_cast<std::size_t>(target * 2) + i]));
        }
        EXPECT_EQ(worst, 0) << "frame " << target;
    }
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
