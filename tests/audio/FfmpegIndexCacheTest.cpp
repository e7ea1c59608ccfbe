#include "DecoderTestFiles.h"

#include "audio/FfmpegIndexCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

TEST(FfmpegIndexCache, AFileRewrittenWithTheSameSizeAndTimeGetsANewScan)
{
    ASSERT_FALSE(Folder().empty());
    // Two different songs made the same size, written one over the other at one path with the
    // modification time put back (as a rewrite within the timestamp granularity leaves it).
    const auto bytesOf = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::string a = bytesOf(PathOf("gapless.mp3"));
    std::string b = bytesOf(PathOf("untagged.mp3"));
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    const std::size_t size = std::min(a.size(), b.size());
    a.resize(size);
    b.resize(size);
    ASSERT_NE(a, b);
    const std::string song = Folder() + "/same-size-song.mp3";
    std::ofstream(song, std::ios::binary | std::ios::trunc) << a;
    const auto written = std::filesystem::last_write_time(song);
    FfmpegIndexCache cache(4);
    const auto first = cache.Get(song, FfmpegFrameIndex::Mode::Packets);
    ASSERT_TRUE(first->waitDoneFor(std::chrono::seconds(20)));

    std::ofstream(song, std::ios::binary | std::ios::trunc) << b;
    std::filesystem::last_write_time(song, written);
    ASSERT_EQ(std::filesystem::file_size(song), size);
    const auto second = cache.Get(song, FfmpegFrameIndex::Mode::Packets);
    EXPECT_NE(second.get(), first.get());
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
