#include "DecoderTestFiles.h"

#include "audio/BassErrorCodes.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>

using namespace DecoderTestFiles;

namespace {
class DecoderErrorsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(Folder().empty()) << "the test files could not be made"; }

    static std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string firstBytesOf(const std::string& file, std::size_t count)
    {
        std::ifstream in(PathOf(file), std::ios::binary);
        std::string bytes(count, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(count));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    }

    static int codeOf(const std::string& path)
    {
        int code = -99;
        auto source = OpenAudioFile(path, 2, code);
        EXPECT_EQ(source == nullptr, code != BassError::Ok) << path;
        return code;
    }
};

const char* const kFiles[] = {"reference.wav", "broadcast.bwf", "gapless.mp3", "untagged.mp3", "layer2.mp2",
                              "vorbis.ogg",    "lossless.flac", "windows.wma", "layer1.mp1"};
} // namespace

TEST_F(DecoderErrorsTest, MissingFileOrFolderReportsFileOpen)
{
    EXPECT_EQ(codeOf(PathOf("no such sound.mp3")), BassError::FileOpen);
    EXPECT_EQ(codeOf(Folder()), BassError::FileOpen);
    EXPECT_EQ(codeOf(""), BassError::FileOpen);
}

TEST_F(DecoderErrorsTest, TextOrPictureUnderASoundNameReportsFileFormat)
{
    EXPECT_EQ(codeOf(write("letter.mp3", "Dear team,\nthe anthem goes first.\n")), BassError::FileFormat);
    EXPECT_EQ(codeOf(write("letter.wav", std::string(5000, 'x'))), BassError::FileFormat);
    const std::string picture = PathOf("picture.mp3");
    ASSERT_EQ(
        std::system(("ffmpeg -nostdin -v error -y -f lavfi -i color=red:size=16x16 -frames:v 1 -f image2 "
                     "-c:v png '" +
                     picture + "' >/dev/null 2>&1")
                        .c_str()),
        0);
    EXPECT_EQ(codeOf(picture), BassError::FileFormat);
}

TEST_F(DecoderErrorsTest, ZeroLengthFilesReportFileFormat)
{
    for (const char* name : {"empty.mp3", "empty.wav", "empty.ogg", "empty.flac", "empty.wma", "empty.mp1"}) {
        EXPECT_EQ(codeOf(write(name, "")), BassError::FileFormat) << name;
    }
}

TEST_F(DecoderErrorsTest, UnknownCodecInAKnownContainerReportsCodec)
{
    // A WAV header naming a format tag no decoder knows, followed by some data.
    std::string wav = firstBytesOf("reference.wav", 4096);
    ASSERT_EQ(wav.size(), 4096U);
    wav[20] = '\x34';
    wav[21] = '\x12';
    EXPECT_EQ(codeOf(write("unknown-codec.wav", wav)), BassError::Codec);
}

TEST_F(DecoderErrorsTest, TruncatedFilesGiveAnErrorOrAShortCleanStream)
{
    for (const char* file : kFiles) {
        const auto full = std::filesystem::file_size(PathOf(file));
        for (const std::size_t keep :
             {std::size_t{3}, std::size_t{60}, std::size_t{700}, full / 3, full - 17}) {
            const std::string cut =
                write(std::string("cut-") + std::to_string(keep) + "-" + file, firstBytesOf(file, keep));
            int code = -99;
            auto source = OpenAudioFile(cut, 2, code);
            if (source == nullptr) {
                EXPECT_TRUE(code == BassError::FileFormat || code == BassError::Codec) << cut << " " << code;
                continue;
            }
            const std::int64_t stated = source->lengthFrames();
            EXPECT_LE(stated, 400000) << cut;
            // A seek into the missing part fails and leaves the length at what is really there.
            const bool landed = source->seekFrame(stated / 2);
            EXPECT_TRUE(landed || source->lengthFrames() < stated / 2) << cut;
            EXPECT_TRUE(source->seekFrame(0)) << cut;
            const auto all = ReadToEnd(*source, 1024);
            // Once read to its end the length is what played; never more than the container said.
            EXPECT_LE(static_cast<std::int64_t>(all.size() / 2), stated) << cut;
            EXPECT_EQ(static_cast<std::int64_t>(all.size() / 2), source->lengthFrames()) << cut;
        }
    }
}

TEST_F(DecoderErrorsTest, LengthOfACutFileWithNoStatedLengthIsNeverShortOfWhatPlays)
{
    // A WAV header promising twice the data the file holds: the container then states no
    // length, so the length comes from a scan of the file. 30 s of audio keeps that scan busy
    // well past a short wait, as any scan is on a loaded machine; once it has read to the end,
    // the length is what played.
    constexpr std::uint32_t kFrames = 30 * 44100;
    constexpr std::uint32_t kDataBytes = kFrames * 4;
    std::string wav;
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&](std::uint16_t v) {
        wav.push_back(static_cast<char>(v & 0xFF));
        wav.push_back(static_cast<char>(v >> 8));
    };
    wav += "RIFF";
    put32(36 + 2 * kDataBytes);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);         // PCM
    put16(2);         // stereo
    put32(44100);     // rate
    put32(44100 * 4); // bytes per second
    put16(4);         // block
    put16(16);        // bits
    wav += "data";
    put32(2 * kDataBytes);
    for (std::uint32_t f = 0; f < kFrames; ++f) {
        const auto v = static_cast<std::uint16_t>((f * 37U) & 0x3FFFU);
        put16(v);
        put16(static_cast<std::uint16_t>(~v));
    }
    const std::string cut = write("long-cut.wav", wav);
    for (int round = 0; round < 3; ++round) {
        int code = -99;
        auto source = OpenAudioFile(cut, 2, code);
        ASSERT_NE(source, nullptr) << code;
        bool exact = false;
        // Asked before the scan is done, the answer may be an estimate (the window's thread does
        // not wait for the whole file), but a length said to be exact is never short.
        const std::int64_t early = source->lengthFramesWithin(std::chrono::milliseconds(1), exact);
        const auto all = ReadToEnd(*source, 4096);
        const auto played = static_cast<std::int64_t>(all.size() / 2);
        EXPECT_EQ(played, kFrames);
        if (exact) {
            EXPECT_GE(early, played) << "round " << round;
        }
        EXPECT_EQ(source->lengthFrames(), played);
        EXPECT_EQ(source->lengthFramesWithin(std::chrono::milliseconds(1), exact), played);
        EXPECT_TRUE(exact);
    }
}

TEST_F(DecoderErrorsTest, DamagedMiddleStillPlaysToAnEnd)
{
    for (const char* file : kFiles) {
        std::string bytes = firstBytesOf(file, 1 << 22);
        unsigned seed = 7;
        for (std::size_t i = bytes.size() / 2; i < bytes.size() * 3 / 4; ++i) {
            seed = seed * 1103515245U + 12345U;
            bytes[i] = static_cast<char>(seed >> 16);
        }
        const std::string damaged = write(std::string("damaged-") + file, bytes);
        int code = -99;
        auto source = OpenAudioFile(damaged, 1, code);
        ASSERT_NE(source, nullptr) << damaged << " " << code;
        const auto all = ReadToEnd(*source, 2048);
        EXPECT_GT(all.size(), 10000U) << damaged;
        EXPECT_LE(all.size(), 300000U) << damaged;
        EXPECT_TRUE(source->seekFrame(source->lengthFrames() / 3)) << damaged;
    }
}
