#include "DecoderTestFiles.h"

#include "audio/BassErrorCodes.h"
#include "audio/FileDecoder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <memory>

using namespace DecoderTestFiles;

namespace {
using OpenFunction = PcmSource* (*)(const char*, int, const std::atomic<bool>*, int*);

// The module the program loads, opened as the program opens it.
class DecoderModule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (Folder().empty()) {
            GTEST_SKIP() << "the test files could not be made";
        }
        module_ = dlopen(RBX_DECODER_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        open_ = reinterpret_cast<OpenFunction>(dlsym(module_, "RbxOpenAudioFile"));
        ASSERT_NE(open_, nullptr);
    }
    void TearDown() override
    {
        // Never closed: FFmpeg's libraries stay loaded for the process, as in the program.
    }
    std::unique_ptr<PcmSource> Open(const std::string& path, int channels, int& code)
    {
        return std::unique_ptr<PcmSource>(open_(path.c_str(), channels, nullptr, &code));
    }

    void* module_ = nullptr;
    OpenFunction open_ = nullptr;
};
} // namespace

TEST_F(DecoderModule, DecodesTheSameSamplesAsTheLinkedDecoder)
{
    for (const char* name : {"reference.wav", "gapless.mp3", "windows.wma"}) {
        SCOPED_TRACE(name);
        int moduleCode = -1;
        int linkedCode = -1;
        auto fromModule = Open(PathOf(name), 2, moduleCode);
        auto linked = OpenAudioFile(PathOf(name), 2, linkedCode);
        ASSERT_TRUE(fromModule);
        ASSERT_TRUE(linked);
        EXPECT_EQ(moduleCode, BassError::Ok);
        EXPECT_EQ(fromModule->lengthFrames(), linked->lengthFrames());
        const auto a = ReadToEnd(*fromModule, 4096);
        const auto b = ReadToEnd(*linked, 4096);
        EXPECT_GT(a.size(), 100000u);
        EXPECT_EQ(a, b);
    }
}

TEST_F(DecoderModule, ReportsAMissingFileAndSeeksExactly)
{
    int code = -1;
    EXPECT_FALSE(Open(Folder() + "/no such file.mp3", 2, code));
    EXPECT_EQ(code, BassError::FileOpen);
    auto source = Open(PathOf("reference.wav"), 2, code);
    ASSERT_TRUE(source);
    ASSERT_TRUE(source->seekFrame(50000));
    std::int16_t frame[2] = {};
    ASSERT_EQ(source->read(frame, 1), 1);
    const auto& reference = ReferenceSamples();
    EXPECT_EQ(frame[0], reference[100000]);
    EXPECT_EQ(frame[1], reference[100001]);
}

TEST(DecoderLoading, TheLinkedDecoderIsFoundWithoutTheModule)
{
    EXPECT_TRUE(AudioFileDecoderAvailable());
}
