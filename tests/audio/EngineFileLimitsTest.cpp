#include "EngineTestSupport.h"

#include "audio/BassErrorCodes.h"
#include "audio/FileDecoder.h"
#include "support/HeldOpens.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

using namespace EngineTest;

namespace {
// A WAV of a 440 Hz tone at half scale; float data when `floating`, else 16-bit. `declaredRate`
// is what the header says; the samples are made at `toneRate` so a header that lies still
// holds sound.
std::string WriteToneWav(const std::string& name, int declaredRate, int channels, int frames, bool floating)
{
    const std::string path = std::filesystem::temp_directory_path().string() + "/rbx-limits-" +
                             std::to_string(getpid()) + "-" + name;
    const int bytesPerSample = floating ? 4 : 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * channels * bytesPerSample);
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    bytes += "RIFF";
    put(36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(floating ? 3 : 1, 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(declaredRate), 4);
    put(static_cast<std::uint32_t>(declaredRate * channels * bytesPerSample), 4);
    put(static_cast<std::uint32_t>(channels * bytesPerSample), 2);
    put(static_cast<std::uint32_t>(bytesPerSample * 8), 2);
    bytes += "data";
    put(dataBytes, 4);
    for (int f = 0; f < frames; ++f) {
        const double v = 0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * f / 44100.0);
        for (int c = 0; c < channels; ++c) {
            if (floating) {
                const float x = static_cast<float>(v);
                std::uint32_t raw = 0;
                std::memcpy(&raw, &x, 4);
                put(raw, 4);
            } else {
                put(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767))), 2);
            }
        }
    }
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

class EngineFileLimits : public ManualEngine
{
protected:
    void TearDown() override
    {
        for (const std::string& path : made_) {
            std::remove(path.c_str());
        }
        ManualEngine::TearDown();
    }
    std::string tone(const std::string& name, int rate, int channels, int frames, bool floating = false)
    {
        made_.push_back(WriteToneWav(name, rate, channels, frames, floating));
        return made_.back();
    }
    std::vector<std::string> made_;
};

// A source that plays a little and then fails the way a decoder or allocator can.
class ThrowingSource : public PcmSource
{
public:
    int sampleRate() const override { return kRate; }
    int channels() const override { return 2; }
    std::int64_t lengthFrames() const override { return kRate * 10; }
    std::int64_t read(std::int16_t* out, std::int64_t frames) override
    {
        if (++reads_ > 2) {
            throw std::runtime_error("decoder gave up");
        }
        std::fill_n(out, frames * 2, std::int16_t{16000});
        return frames;
    }
    bool seekFrame(std::int64_t) override { return true; }

private:
    int reads_ = 0;
};
} // namespace

TEST_F(EngineFileLimits, RatesAndChannelCountsOutsideThePlayableRangeAreRefusedAtOpen)
{
    struct Case
    {
        const char* name;
        int rate;
        int channels;
        bool floating;
    };
    const Case refused[] = {{"384k-float.wav", 384000, 2, true},
                            {"1hz.wav", 1, 2, false},
                            {"200k.wav", 200000, 1, false},
                            {"3999hz.wav", 3999, 1, false},
                            {"33ch.wav", 44100, 33, false}};
    for (const Case& c : refused) {
        const std::string path = tone(c.name, c.rate, c.channels, 4000, c.floating);
        EXPECT_EQ(BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0), 0u) << c.name;
        EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileFormat) << c.name;
        int code = 0;
        EXPECT_EQ(OpenAudioFile(path, 2, code), nullptr) << c.name;
        EXPECT_EQ(code, BassError::FileFormat) << c.name;
    }
    // The edges themselves open.
    for (const Case& c : {Case{"4000hz.wav", 4000, 1, false}, Case{"192k.wav", 192000, 2, true},
                          Case{"32ch.wav", 44100, 32, false}}) {
        int code = 0;
        EXPECT_NE(OpenAudioFile(tone(c.name, c.rate, c.channels, 4000, c.floating), 2, code), nullptr)
            << c.name;
        EXPECT_EQ(code, BassError::Ok) << c.name;
    }
}

TEST_F(EngineFileLimits, TheEdgesOfTheRangeAreConvertedToTheOutputRate)
{
    // Neither edge is the output rate, so both go through the resampler: each must give sound
    // within the first tenth of a second and end by itself.
    for (const int rate : {4000, 192000}) {
        const std::string path = tone("edge" + std::to_string(rate) + ".wav", rate, 2, rate / 4, true);
        const BassHandle h = BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0);
        ASSERT_NE(h, 0u) << rate;
        ASSERT_TRUE(BASS_ChannelPlay(h, false));
        const std::vector<float> out = Render(kRate / 10);
        EXPECT_GT(Peak(out, 2, 0, 0, kRate / 10), 0.05f) << rate;
        for (int i = 0; i < 20 && BASS_ChannelIsActive(h) != BassActiveStopped; ++i) {
            Render(kRate / 10);
        }
        EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped) << rate;
        BASS_StreamFree(h);
    }
}

TEST_F(EngineFileLimits, AStreamThatThrowsEndsAndTheOthersPlayOn)
{
    const BassHandle bad = PlaySource(std::make_unique<ThrowingSource>());
    const BassHandle good = PlaySource(Sine(2, kRate * 5, 440.0, 0.5));
    for (int i = 0; i < 10; ++i) {
        Render(kRate / 20);
    }
    EXPECT_EQ(BASS_ChannelIsActive(bad), BassActiveStopped);
    EXPECT_EQ(BASS_ChannelIsActive(good), BassActivePlaying);
    const std::vector<float> out = Render(kRate / 10);
    EXPECT_NEAR(Amplitude(out, 2, 0, 0, kRate / 10, 440.0), 0.5, 0.05);
    // The failed one may be started again (it fails again) without harm to the other.
    EXPECT_TRUE(BASS_ChannelPlay(bad, true));
    Render(kRate / 10);
    EXPECT_EQ(BASS_ChannelIsActive(good), BassActivePlaying);
    EXPECT_TRUE(BASS_StreamFree(bad));
    EXPECT_TRUE(BASS_StreamFree(good));
}

TEST_F(EngineFileLimits, GeneratedSourcesOutsideTheRangeAreRefusedWithFormat)
{
    EXPECT_EQ(EngineStreamCreate(MakeSource(1, 2, 100, [](std::int64_t, int) { return 0.0; }), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Format);
    EXPECT_EQ(EngineStreamCreate(MakeSource(384000, 2, 100, [](std::int64_t, int) { return 0.0; }), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Format);
}

TEST_F(EngineFileLimits, AnOpenThatTakesLongGoesOnInTheBackgroundAndAPaddedFileIsRefusedForItsWork)
{
    std::atomic<int> told{0};
    BassSetFileOpenedListener([&told] { ++told; });
    // The window's wait: an open not done at once goes on in the background.
    BASS_SetConfig(BassConfigFileOpenWait, 0);
    const std::string good = tone("good.wav", 44100, 2, 4000);
    {
        HeldOpens slowStorage;
        EXPECT_EQ(BASS_StreamCreateFile(false, good.c_str(), 0, 0, 0), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BassError::Busy);
        EXPECT_TRUE(BassFileOpening(good.c_str()));
    }
    while (BassFileOpening(good.c_str())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(told.load(), 1);
    const BassHandle opened = BASS_StreamCreateFile(false, good.c_str(), 0, 0, 0);
    EXPECT_NE(opened, 0u) << "the finished open is kept for the next ask";
    BASS_StreamFree(opened);

    // A valid WAV followed by 24 MiB of zero bytes (a pre-allocated recording): its header walk
    // costs the decoder seconds of processor time, so the file is refused with the format error
    // however long storage or a busy machine takes, and asked for again it is refused at once.
    // The zeros are a hole in the file, not written.
    const std::string slow = tone("padded.wav", 44100, 2, 4000);
    std::filesystem::resize_file(slow, std::filesystem::file_size(slow) + (24u << 20));
    EXPECT_EQ(BASS_StreamCreateFile(false, slow.c_str(), 0, 0, BASS_STREAM_DECODE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Busy);
    while (BassFileOpening(slow.c_str())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(told.load(), 2);
    EXPECT_EQ(BASS_StreamCreateFile(false, slow.c_str(), 0, 0, BASS_STREAM_DECODE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileFormat);
    BASS_SetConfig(BassConfigFileOpenWait, BassOpenWaitUntilDone);
    BassSetFileOpenedListener({});
    EXPECT_EQ(BASS_StreamCreateFile(false, slow.c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::FileFormat);
    const BassHandle next = BASS_StreamCreateFile(false, tone("next.wav", 44100, 2, 4000).c_str(), 0, 0, 0);
    EXPECT_NE(next, 0u);
    BASS_StreamFree(next);
}

TEST_F(EngineFileLimits, AWavOverwrittenInPlaceWhilePlayingFadesOutInsteadOfPlayingTheNewBytes)
{
    const std::string path = tone("overwritten.wav", 44100, 2, kRate * 5);
    // Opened without the window's bound on opening, which a loaded machine can exceed.
    int code = 0;
    const BassHandle h = EngineStreamCreate(OpenAudioFile(path, 2, code), 0);
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    EXPECT_NEAR(Peak(Render(kRate / 10), 2, 0, 0, kRate / 10), 0.5f, 0.01f);
    {
        // Full-scale samples over the rest of the data, as another program rewriting the file
        // would leave it; the modification time moves on as the write's own would.
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(44);
        const std::string loud(static_cast<std::size_t>(kRate) * 5 * 4 - 4, '\x7f');
        file.write(loud.data(), static_cast<std::streamsize>(loud.size()));
    }
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
    float loudest = 0.0f;
    for (int i = 0; i < 40 && BASS_ChannelIsActive(h) == BassActivePlaying; ++i) {
        loudest = std::max(loudest, Peak(Render(kRate / 20), 2, 0, 0, kRate / 20));
    }
    EXPECT_LE(loudest, 0.51f) << "the new bytes were played";
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
    // Well before the old file's end: what was read ahead faded out, and nothing more was read.
    EXPECT_LT(BASS_ChannelGetPosition(h), 4LL * kRate * 2);
    EXPECT_TRUE(BASS_StreamFree(h));
}
