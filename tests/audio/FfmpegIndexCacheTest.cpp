#include "DecoderTestFiles.h"

#include "audio/FfmpegIndexCache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace DecoderTestFiles;

// One scan per file however many streams open it; a rewritten file is scanned afresh.
TEST(FfmpegIndexCache, StreamsOfOneFileShareOneScanAndARewrittenFileGetsANewOne)
{
    ASSERT_FALSE(Folder().empty());
    const std::string song = Folder() + "/cache-song.mp3";
    std::filesystem::copy_file(PathOf("gapless.mp3"), song,
                               std::filesystem::copy_options::overwrite_existing);
    FfmpegIndexCache cache(1);
    const auto first = cache.Get(song, FfmpegFrameIndex::Mode::Packets);
    const auto second = cache.Get(song, FfmpegFrameIndex::Mode::Packets);
    EXPECT_EQ(first.get(), second.get());
    ASSERT_TRUE(first->waitDoneFor(std::chrono::seconds(20)));
    EXPECT_GT(first->totalFrames(), kReferenceFrames);

    // Rewritten in place (a later modification time): a fresh scan, not the old figures.
    const auto later = std::filesystem::last_write_time(song) + std::chrono::seconds(5);
    std::filesystem::copy_file(PathOf("untagged.mp3"), song,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::last_write_time(song, later);
    const auto rewritten = cache.Get(song, FfmpegFrameIndex::Mode::Packets);
    EXPECT_NE(rewritten.get(), first.get());
}

TEST(FfmpegIndexCache, RecentlyOpenedFilesKeepTheirFinishedScan)
{
    ASSERT_FALSE(Folder().empty());
    FfmpegIndexCache cache(1);
    const std::string a = PathOf("gapless.mp3");
    const std::string b = PathOf("layer2.mp2");
    const FfmpegFrameIndex* kept = nullptr;
    {
        const auto index = cache.Get(a, FfmpegFrameIndex::Mode::Packets);
        ASSERT_TRUE(index->waitDoneFor(std::chrono::seconds(20)));
        kept = index.get();
    }
    // No stream holds it any more, but it is the one kept: opened again, it is finished at once.
    const auto again = cache.Get(a, FfmpegFrameIndex::Mode::Packets);
    EXPECT_EQ(again.get(), kept);
    EXPECT_TRUE(again->done());
    // Another file takes the one place; the first then lives only while a stream holds it.
    cache.Get(b, FfmpegFrameIndex::Mode::Packets);
    EXPECT_EQ(cache.Get(a, FfmpegFrameIndex::Mode::Packets).get(), again.get());
}
