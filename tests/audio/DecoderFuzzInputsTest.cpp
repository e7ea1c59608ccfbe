// Replays the inputs the decoder fuzzer once crashed on (tests/data/decoder/*.fuzz: our own
// sine files as mutated by the fuzzer), through the same open, read, seek and length pass. The
// sanitizer build turns any memory error back into a failure.
#include "../fuzz/DecoderExercise.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
std::vector<std::filesystem::path> FuzzInputs()
{
    std::vector<std::filesystem::path> found;
    const char* data = std::getenv("RBX_TEST_DATA");
    const std::filesystem::path folder =
        std::filesystem::path(data != nullptr ? data : RBX_SOURCE_TEST_DATA) / "decoder";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".fuzz") {
            found.push_back(entry.path());
        }
    }
    return found;
}
} // namespace

TEST(DecoderFuzzInputs, EveryInputFoundOnceRunsCleanly)
{
    const std::vector<std::filesystem::path> inputs = FuzzInputs();
    ASSERT_GE(inputs.size(), 3u) << "the fuzz inputs under tests/data/decoder are missing";
    const std::string stem =
        std::filesystem::temp_directory_path().string() + "/rbx-fuzz-replay-" + std::to_string(getpid());
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_TRUE(
            DecoderExercise::Run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), stem))
            << path;
    }
}

TEST(DecoderFuzzInputs, SeekingPastTheEndOfADamagedStreamEndsIt)
{
    // The crash itself: a stream read to its (shortened) end and then sent to a point beyond it
    // must give nothing more, not a packet from past the end.
    const std::vector<std::filesystem::path> inputs = FuzzInputs();
    ASSERT_FALSE(inputs.empty());
    const std::string stem =
        std::filesystem::temp_directory_path().string() + "/rbx-fuzz-end-" + std::to_string(getpid());
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 2u);
        const std::string file = stem + DecoderExercise::kExtensions[static_cast<std::uint8_t>(bytes[0]) % 8];
        ASSERT_TRUE(DecoderExercise::WriteFile(file, reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2,
                                               bytes.size() - 2));
        int code = 0;
        auto source = OpenAudioFile(file, 2, code);
        ASSERT_NE(source, nullptr) << path;
        std::vector<std::int16_t> buffer(8192);
        const std::int64_t played = DecoderExercise::ReadToEnd(*source, buffer, 2);
        ASSERT_GE(played, 0);
        EXPECT_EQ(source->lengthFrames(), played) << path;
        if (source->seekFrame(played + 1000)) {
            EXPECT_EQ(source->read(buffer.data(), 4096), 0) << path;
        }
        // From the start again: a damaged stream may end sooner on a second pass (the decoder
        // gives up on a run of bad packets), never later than the length it settled on.
        EXPECT_TRUE(source->seekFrame(0)) << path;
        const std::int64_t again = DecoderExercise::ReadToEnd(*source, buffer, 2);
        EXPECT_GE(again, 0) << path;
        EXPECT_LE(again, played) << path;
        std::remove(file.c_str());
    }
}
