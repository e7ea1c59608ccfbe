#include "DecoderTestFiles.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The engine over real files of every type the board plays, through the BASS_* calls only. The
// expected samples come from the decoder read from the start; the engine must give the same
// bytes, lengths and positions.
using namespace DecoderTestFiles;

namespace {
constexpr int kRate = 44100;

enum class Opener
{
    Plain,
    Wma,
    Flac
};

struct EngineFileCase
{
    const char* label;
    const char* file;
    const char* extension; // for the damaged copies
    Opener opener;
};

std::ostream& operator<<(std::ostream& os, const EngineFileCase& c)
{
    return os << c.label;
}

const EngineFileCase kCases[] = {
    {"Wav", "reference.wav", "wav", Opener::Plain}, {"Bwf", "broadcast.bwf", "bwf", Opener::Plain},
    {"Mp3", "gapless.mp3", "mp3", Opener::Plain},   {"Mp3WithoutTag", "untagged.mp3", "mp3", Opener::Plain},
    {"Mp2", "layer2.mp2", "mp2", Opener::Plain},    {"Ogg", "vorbis.ogg", "ogg", Opener::Plain},
    {"Wma", "windows.wma", "wma", Opener::Wma},     {"Flac", "lossless.flac", "flac", Opener::Flac},
};

class EngineFileTypesTest : public ::testing::TestWithParam<EngineFileCase>
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Folder().empty()) << "the test files could not be made";
        init(0);
    }
    void TearDown() override { BASS_Free(); }

    void init(std::uint32_t flags)
    {
        BASS_Free();
        ASSERT_TRUE(EngineInitManual(kRate, flags));
    }
    std::string path() const { return PathOf(GetParam().file); }

    BassHandle create(const std::string& file, std::uint32_t flags) const
    {
        switch (GetParam().opener) {
        case Opener::Wma:
            return BASS_WMA_StreamCreateFile(false, file.c_str(), 0, 0, flags);
        case Opener::Flac:
            return BASS_FLAC_StreamCreateFile(false, file.c_str(), 0, 0, flags);
        default:
            return BASS_StreamCreateFile(false, file.c_str(), 0, 0, flags);
        }
    }

    // The whole file as the decoder gives it from the start, in the engine's channel count.
    std::vector<std::int16_t> decoded(int channels) const
    {
        int code = -1;
        auto source = OpenAudioFile(path(), channels, code);
        EXPECT_NE(source, nullptr);
        return source ? ReadToEnd(*source, 4096) : std::vector<std::int16_t>{};
    }

    std::string copyCutTo(std::uintmax_t bytes) const
    {
        const std::string cut = Folder() + "/cut-" + std::to_string(bytes) + "." + GetParam().extension;
        std::filesystem::copy_file(path(), cut, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::resize_file(cut, bytes);
        return cut;
    }
};

// Largest difference between rendered output and decoded samples from `fromFrame` on.
float WorstDifference(const std::vector<float>& out, const std::vector<std::int16_t>& pcm,
                      std::int64_t fromFrame, int channels)
{
    float worst = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float want = pcm[static_cast<std::size_t>(fromFrame * channels) + i] / 32768.0f;
        worst = std::max(worst, std::fabs(out[i] - want));
    }
    return worst;
}

std::vector<float> Render(int frames, int channels)
{
    std::vector<float> out(static_cast<std::size_t>(frames * channels));
    EXPECT_TRUE(EngineRenderManual(out.data(), frames));
    return out;
}
} // namespace

TEST_P(EngineFileTypesTest, LengthIsTheDecodedByteCountInStereoAndHalvedInMono)
{
    const auto stereo = decoded(2);
    const auto frames = static_cast<std::int64_t>(stereo.size() / 2);
    ASSERT_GT(frames, 90000);

    // A playable stream of a file nobody measured yet answers at once, close to the end...
    const BassHandle plain = create(path(), 0);
    ASSERT_NE(plain, 0u) << BASS_ErrorGetCode();
    const std::int64_t first = BASS_ChannelGetLength(plain);
    EXPECT_NEAR(static_cast<double>(first), 4.0 * frames, 4.0 * kRate / 10);
    // ...a decoding stream measures in place, and from then on every stream of the file is exact.
    const BassHandle decode = create(path(), BASS_STREAM_DECODE);
    ASSERT_NE(decode, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(decode), 4 * frames);
    EXPECT_EQ(BASS_ChannelGetLength(plain), 4 * frames);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(plain, 4 * frames), static_cast<double>(frames) / kRate);
    const BassHandle tempo = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    ASSERT_NE(tempo, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(tempo), 4 * frames);
    EXPECT_FALSE(BASS_ChannelSetPosition(tempo, 4 * frames + 4));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Position);

    init(BASS_DEVICE_MONO);
    const BassHandle mono = create(path(), BASS_STREAM_DECODE);
    ASSERT_NE(mono, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(mono), 2 * frames);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(mono, 2 * frames), static_cast<double>(frames) / kRate);
}

TEST_P(EngineFileTypesTest, SeekThenPlayRendersTheFileFromThatFrame)
{
    const auto stereo = decoded(2);
    ASSERT_GT(stereo.size(), 2u * 60000);
    const BassHandle h = create(path(), 0);
    ASSERT_NE(h, 0u);
    const std::int64_t from = 37123; // inside a packet of every codec
    ASSERT_TRUE(BASS_ChannelSetPosition(h, 4 * from));
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(8192, 2);
    EXPECT_LE(WorstDifference(out, stereo, from, 2), 1e-6f);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4 * (from + 8192));

    // Backwards while playing: the read-ahead is dropped and the new place is heard at once.
    ASSERT_TRUE(BASS_ChannelSetPosition(h, 4 * 1000));
    const auto again = Render(4096, 2);
    EXPECT_LE(WorstDifference(again, stereo, 1000, 2), 1e-6f);
}

TEST_P(EngineFileTypesTest, TempoStreamAtNormalSpeedIsTheFileAndFasterCountsSourcePositions)
{
    const auto stereo = decoded(2);
    const auto frames = static_cast<std::int64_t>(stereo.size() / 2);
    const BassHandle tempo = BASS_FX_TempoCreate(create(path(), BASS_STREAM_DECODE), BASS_FX_FREESOURCE);
    ASSERT_NE(tempo, 0u);
    // -100 and 0 leave tempo and rate as they are: the samples pass untouched.
    ASSERT_TRUE(BASS_FX_TempoSet(tempo, 0.0f, 0.0f, -100.0f));
    ASSERT_TRUE(BASS_ChannelSetPosition(tempo, 4 * 5000));
    ASSERT_TRUE(BASS_ChannelPlay(tempo, false));
    EXPECT_LE(WorstDifference(Render(4096, 2), stereo, 5000, 2), 1e-6f);
    EXPECT_EQ(BASS_ChannelGetPosition(tempo), 4 * (5000 + 4096));

    ASSERT_TRUE(BASS_FX_TempoSet(tempo, 30.0f, -100.0f, -100.0f));
    ASSERT_TRUE(BASS_ChannelSetPosition(tempo, 4 * 10000));
    Render(kRate, 2);
    const double seconds = BASS_ChannelBytes2Seconds(tempo, BASS_ChannelGetPosition(tempo));
    EXPECT_NEAR(seconds, 10000.0 / kRate + 1.3, 0.03);
    // Played on to the end: stopped, and the position is the length.
    for (int i = 0; i < 20 && BASS_ChannelIsActive(tempo) != BassActiveStopped; ++i) {
        Render(kRate / 2, 2);
    }
    EXPECT_EQ(BASS_ChannelIsActive(tempo), BassActiveStopped);
    EXPECT_EQ(BASS_ChannelGetPosition(tempo), 4 * frames);
}

TEST_P(EngineFileTypesTest, DecodingStreamGivesWholeFramesOfTheFileUntilItsEnd)
{
    for (const int channels : {2, 1}) {
        init(channels == 1 ? BASS_DEVICE_MONO : 0);
        const auto pcm = decoded(channels);
        const BassHandle h = create(path(), BASS_STREAM_DECODE);
        ASSERT_NE(h, 0u);
        std::vector<std::int16_t> all;
        std::vector<std::int16_t> buffer(20001 / 2 + 1);
        for (int i = 0; i < 1000 && BASS_ChannelIsActive(h) != BassActiveStopped; ++i) {
            const int got = BASS_ChannelGetData(h, buffer.data(), 20001); // an odd request
            ASSERT_GE(got, 0);
            EXPECT_EQ(got % (2 * channels), 0) << "a frame was split";
            all.insert(all.end(), buffer.begin(), buffer.begin() + got / 2);
        }
        EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
        EXPECT_EQ(BASS_ChannelGetData(h, buffer.data(), 20000), 0);
        EXPECT_TRUE(all == pcm) << channels << " channel(s): " << all.size() << " vs " << pcm.size();
        EXPECT_EQ(BASS_ChannelGetLength(h), static_cast<std::int64_t>(2 * all.size()));
        EXPECT_EQ(BASS_ChannelGetPosition(h), static_cast<std::int64_t>(2 * all.size()));
    }
}

TEST_P(EngineFileTypesTest, BadFilesOfTheTypeGiveErrorCodesNeverAHang)
{
    const std::string missing = Folder() + "/missing." + GetParam().extension;
    EXPECT_EQ(create(missing, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileOpen);

    const std::string text = Folder() + "/letter." + GetParam().extension;
    std::ofstream(text) << "Dear team,\nplease play the anthem first.\n";
    EXPECT_EQ(create(text, BASS_STREAM_DECODE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileFormat);

    // Cut short: either refused with a format code, or a stream that plays to a clean end.
    const auto size = std::filesystem::file_size(path());
    for (const std::uintmax_t bytes : {std::uintmax_t{0}, std::uintmax_t{48}, size / 3}) {
        const BassHandle h = create(copyCutTo(bytes), 0);
        if (h == 0) {
            const int code = BASS_ErrorGetCode();
            EXPECT_TRUE(code == BassError::FileFormat || code == BassError::Codec) << bytes << ": " << code;
            continue;
        }
        // Asked before the play, the length may be the estimate of a scan still running.
        EXPECT_GE(BASS_ChannelGetLength(h), 0) << bytes;
        ASSERT_TRUE(BASS_ChannelPlay(h, false));
        for (int i = 0; i < 40 && BASS_ChannelIsActive(h) != BassActiveStopped; ++i) {
            Render(kRate / 2, 2);
        }
        EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped) << bytes;
        const std::int64_t length = BASS_ChannelGetLength(h);
        EXPECT_LE(BASS_ChannelGetPosition(h), length + 4) << bytes;
        EXPECT_TRUE(BASS_StreamFree(h));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFileType, EngineFileTypesTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.label); });
