// The LZW decoder on hand-made code streams: table growth, the string-plus-own-first-byte
// case, damaged data and the order of interlaced rows.
#include "GifTestTools.h"

#include "gif/GifLzwDecoder.h"

#include <gtest/gtest.h>

using namespace GifTest;

namespace {

std::vector<std::uint8_t> Pixels(TGIFImage& picture)
{
    return picture.Count() > 0 ? picture.Image(0)->Data() : std::vector<std::uint8_t>{};
}

} // namespace

TEST(GifDecoder, StringFollowedByItsOwnFirstByteDecodes)
{
    // min 2: clear 4, end 5, first free 6. Codes: 1, 6 (= "1 1", not yet defined), 7 (= "1 1 1").
    const QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}});
    TGIFImage picture;
    const TLoadResult result = Load(picture, WrapImageData(6, 1, 2, data));
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.isEmpty()) << result.Warnings.join('|').toStdString();
    EXPECT_EQ(Pixels(picture), (std::vector<std::uint8_t>{1, 1, 1, 1, 1, 1}));
}

TEST(GifDecoder, DataWithoutALeadingClearCodeDecodes)
{
    const QByteArray data = PackCodes(2, {{2, 3}, {3, 3}, {5, 3}});
    TGIFImage picture;
    ASSERT_TRUE(Load(picture, WrapImageData(2, 1, 2, data)).Error.isEmpty());
    EXPECT_EQ(Pixels(picture), (std::vector<std::uint8_t>{2, 3}));
}

TEST(GifDecoder, TableFullContinuesWithTwelveBitCodesAndNoNewEntries)
{
    // Literal 0 over and over: each code adds an entry until 4096, the size growing from 3 to 12.
    std::vector<std::pair<int, int>> codes{{4, 3}};
    int nextFree = 6, size = 3, count = 0;
    for (int i = 0; i < 5000; ++i) {
        const int literal = i < 4500 ? 0 : 3;
        codes.push_back({literal, size});
        ++count;
        if (i > 0 && nextFree < 4096) {
            ++nextFree;
            if (nextFree == (1 << size) && size < 12)
                ++size;
        }
    }
    codes.push_back({5, size});
    EXPECT_EQ(size, 12);
    TGIFImage picture;
    const TLoadResult result = Load(picture, WrapImageData(5000, 1, 2, PackCodes(2, codes)));
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.isEmpty()) << result.Warnings.join('|').toStdString();
    const auto pixels = Pixels(picture);
    ASSERT_EQ(pixels.size(), 5000u);
    EXPECT_EQ(pixels[4499], 0);
    EXPECT_EQ(pixels[4500], 3);
    EXPECT_EQ(pixels[4999], 3);
}

TEST(GifDecoder, OneByteSubBlocksDecodeLikeLongOnes)
{
    auto source = MakePicture(40, 30, 256, NoisePixels(1200, 256, 7));
    const QByteArray bytes = source->SaveToBytes();
    // Re-block the image data into 1-byte sub-blocks: every code then spans two or three blocks.
    const qsizetype dataStart = 13 + 768 + 10;
    QByteArray raw;
    for (qsizetype at = dataStart + 1; bytes[at] != 0; at += 1 + std::uint8_t(bytes[at]))
        raw.append(bytes.mid(at + 1, std::uint8_t(bytes[at])));
    QByteArray reblocked = bytes.left(dataStart + 1);
    for (char c : raw)
        reblocked.append('\x01').append(c);
    reblocked.append('\0').append(';');
    TGIFImage picture;
    const TLoadResult result = Load(picture, reblocked);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.isEmpty()) << result.Warnings.join('|').toStdString();
    EXPECT_EQ(Pixels(picture), source->Image(0)->Data());
}

TEST(GifDecoder, DataEndingWithoutTerminatorKeepsWhatWasDecoded)
{
    const QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}}, 255, false);
    TGIFImage picture;
    QByteArray file = WrapImageData(4, 1, 2, data);
    file.chop(1); // no trailer either
    const TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.contains("Decoder bit buffer under-run"));
    EXPECT_EQ(Pixels(picture), (std::vector<std::uint8_t>{1, 2, 0, 0}));
}

TEST(GifDecoder, SubBlockLongerThanTheDataWarns)
{
    QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {5, 3}}, 255, false);
    data[1] = char(200);
    TGIFImage picture;
    QByteArray file = WrapImageData(2, 1, 2, data);
    file.chop(1);
    const TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.contains("Premature end of data"));
    EXPECT_EQ(Pixels(picture), (std::vector<std::uint8_t>{1, 2}));
}

TEST(GifDecoder, MinimumCodeSizeOutOfRangeIsInvalidData)
{
    for (int minimum : {0, 1, 12, 255}) {
        QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {5, 3}});
        data[0] = char(minimum);
        TGIFImage picture;
        EXPECT_EQ(Load(picture, WrapImageData(1, 1, 2, data)).Error, "Invalid GIF data") << minimum;
    }
}

TEST(GifDecoder, SelfReferringTableEntryRaisesCleanly)
{
    // Code 7 arrives while 6 is the next free one: the entry made next (7) then names itself as
    // its prefix, and reading code 7 again walks into it.
    const QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {7, 3}, {1, 3}, {7, 4}, {5, 4}});
    TGIFImage picture;
    EXPECT_EQ(Load(picture, WrapImageData(20, 1, 2, data)).Error, "Circular decoder table entry");
    EXPECT_TRUE(picture.Empty());
}

TEST(GifDecoder, CodeAfterClearThatIsNotALiteralEndsTheFrameAndTheNextIsFound)
{
    const QByteArray bad = PackCodes(2, {{4, 3}, {5, 3}});
    const QByteArray good = PackCodes(2, {{4, 3}, {3, 3}, {5, 3}});
    QByteArray file = WrapImageData(1, 1, 2, bad);
    file.chop(1);
    file += QByteArray::fromHex("2c000000000100010000") + good + ";";
    TGIFImage picture;
    const TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.contains("Invalid GIF data"));
    ASSERT_EQ(picture.Count(), 2);
    EXPECT_EQ(picture.Image(1)->Pixel(0, 0), 3);
}

TEST(GifDecoder, CodesAfterTheLastPixelAreSkippedToTheTerminator)
{
    // More pixels than the frame holds, then a second block of junk: the next frame is still found.
    QByteArray data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {1, 3}}, 255, false);
    data += QByteArray::fromHex("03aabbcc00");
    QByteArray file = WrapImageData(2, 1, 2, data);
    file.chop(1);
    file += QByteArray::fromHex("21fe0278790000") + ";";
    TGIFImage picture;
    const TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    ASSERT_EQ(picture.Count(), 2);
    EXPECT_EQ(Pixels(picture), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(picture.Image(1)->Extensions().size(), 1u);
}

class GifInterlacedHeight : public ::testing::TestWithParam<int>
{
};

TEST_P(GifInterlacedHeight, RowsComeInPassOrderEachExactlyOnce)
{
    const int height = GetParam();
    // Row r of the stream is filled with the value r, so the picture shows which stream row
    // landed on each row.
    std::vector<std::pair<int, int>> codes{{256, 9}};
    int nextFree = 258, size = 9;
    for (int r = 0; r < height; ++r) {
        codes.push_back({r, size});
        if (r > 0 && ++nextFree == (1 << size))
            ++size;
    }
    codes.push_back({257, size});
    TGIFImage picture;
    ASSERT_TRUE(Load(picture, WrapImageData(1, height, 8, PackCodes(8, codes), true)).Error.isEmpty());
    std::vector<int> expected;
    for (int start : {0, 4, 2, 1}) {
        const int step = start == 0 ? 8 : start * 2;
        for (int row = start; row < height; row += step)
            expected.push_back(row);
    }
    ASSERT_EQ(int(expected.size()), height);
    for (int streamRow = 0; streamRow < height; ++streamRow)
        EXPECT_EQ(picture.Image(0)->Pixel(0, expected[std::size_t(streamRow)]), streamRow);
}

INSTANTIATE_TEST_SUITE_P(Heights, GifInterlacedHeight, ::testing::Values(1, 2, 3, 4, 5, 9, 17));
