// Both encoders: what they write decodes to the same pixels, in valid sub-blocks, in every
// row order; their limits and failures.
#include "GifTestTools.h"

#include "gif/GifEncoder.h"
#include "gif/GifError.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace GifTest;

namespace {

QByteArray Encode(TGIFEncoder& encoder, int bits, int colors, const std::vector<std::uint8_t>& pixels,
                  int width, int height, bool interlaced = false)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    encoder.Compress(buffer, bits, colors, pixels.empty() ? nullptr : pixels.data(), interlaced, height,
                     width);
    return out;
}

// Sizes of the data sub-blocks after the minimum code size byte, terminator excluded; -1 when
// the terminator is missing or something follows it.
std::vector<int> BlockSizes(const QByteArray& data)
{
    std::vector<int> sizes;
    qsizetype at = 1;
    while (at < data.size() && data[at] != 0) {
        sizes.push_back(std::uint8_t(data[at]));
        at += 1 + std::uint8_t(data[at]);
    }
    if (at != data.size() - 1)
        sizes.push_back(-1);
    return sizes;
}

std::vector<std::uint8_t> RoundTrip(TGIFCompression method, int width, int height, int colors,
                                    const std::vector<std::uint8_t>& pixels, bool interlaced,
                                    QStringList* warnings)
{
    auto picture = MakePicture(width, height, colors, pixels);
    picture->Compression = method;
    picture->Image(0)->SetInterlaced(interlaced);
    TGIFImage reread;
    const TLoadResult result = Load(reread, picture->SaveToBytes());
    EXPECT_TRUE(result.Error.isEmpty()) << result.Error.toStdString();
    if (warnings)
        *warnings = result.Warnings;
    return reread.Count() > 0 ? reread.Image(0)->Data() : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> Runs(const std::vector<std::pair<int, int>>& runs)
{
    std::vector<std::uint8_t> pixels;
    for (const auto& [value, length] : runs)
        pixels.insert(pixels.end(), std::size_t(length), std::uint8_t(value));
    return pixels;
}

} // namespace

TEST(GifEncoder, EmptyFrameIsMinimumSizeEndCodeAndTerminator)
{
    TLZWEncoder lzw;
    EXPECT_EQ(Encode(lzw, 2, 4, {}, 0, 0).toHex(), "02010500");
    TRLEEncoder rle;
    EXPECT_EQ(Encode(rle, 2, 4, {}, 5, 0).toHex(), "02010500");
}

TEST(GifEncoder, TwoColourFrameUsesMinimumCodeSizeTwo)
{
    TLZWEncoder lzw;
    const QByteArray data = Encode(lzw, 1, 2, {0, 1, 1, 0}, 4, 1);
    EXPECT_EQ(data[0], 2);
}

TEST(GifEncoder, PixelOutsideTheTableIsRefused)
{
    for (TGIFCompression method : {cmLZW, cmRLE}) {
        auto picture = MakePicture(2, 1, 4, {1, 5}, true);
        picture->Compression = method;
        try {
            picture->SaveToBytes();
            FAIL();
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message(), "Color not in color table");
        }
    }
}

TEST(GifEncoder, SubBlocksAreFullAndNoEmptyBlockPrecedesTheTerminator)
{
    for (int width = 1; width <= 700; ++width) {
        TLZWEncoder lzw;
        const QByteArray data = Encode(lzw, 8, 256, NoisePixels(width, 256, std::uint32_t(width)), width, 1);
        const std::vector<int> sizes = BlockSizes(data);
        ASSERT_FALSE(sizes.empty());
        for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
            ASSERT_EQ(sizes[i], 255) << width;
        ASSERT_GT(sizes.back(), 0) << width;
        ASSERT_LE(sizes.back(), 255) << width;
    }
}

TEST(GifEncoder, WriterSendsFullBlocksAtOnceAndNeverAnEmptyOne)
{
    for (int total : {0, 1, 254, 255, 256, 510}) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        TGIFWriter writer(buffer);
        for (int i = 0; i < total; ++i)
            writer.WriteByte(std::uint8_t(i));
        writer.Flush();
        writer.Flush(); // a second flush adds nothing
        const int blocks = (total + 254) / 255;
        EXPECT_EQ(out.size(), total + blocks) << total;
        for (int b = 0; b < blocks; ++b)
            EXPECT_EQ(std::uint8_t(out[b * 256]), std::min(255, total - b * 255)) << total;
    }
}

TEST(GifEncoder, CodeStreamEndingOnAByteBoundaryAddsNoByte)
{
    // clear(3 bits) 0(3) 6(3) 0(3, then the size grows) end(4) = 16 bits: two bytes, no third.
    TLZWEncoder lzw;
    EXPECT_EQ(Encode(lzw, 2, 4, {0, 0, 0, 0}, 4, 1).toHex(), "0202845100");
}

TEST(GifEncoder, LzwStartsAgainAfterAFullTable)
{
    // 8-bit noise fills the 4094 codes several times over.
    const auto pixels = NoisePixels(200 * 150, 256, 3);
    EXPECT_EQ(RoundTrip(cmLZW, 200, 150, 256, pixels, false, nullptr), pixels);
}

TEST(GifEncoder, HashTableProbeIsBounded)
{
    THashTable table;
    table.Clear();
    int refused = 0;
    for (std::uint32_t key = 0; key < 20000; ++key)
        refused += table.Insert(key, int(key & 0xFFF)) ? 0 : 1;
    EXPECT_GT(refused, 0); // a full path answers "no room" instead of probing for ever
    EXPECT_EQ(table.Lookup(0), 0);
    EXPECT_EQ(table.Lookup(123456789), -1);
}

struct TEncoderCase
{
    TGIFCompression Method;
    bool Interlaced;
};

class GifEncoderRoundTrip : public ::testing::TestWithParam<TEncoderCase>
{
};

TEST_P(GifEncoderRoundTrip, PixelsSurviveForEveryShape)
{
    const auto [method, interlaced] = GetParam();
    for (int height : {1, 2, 3, 4, 5, 9, 17}) {
        for (int bits : {1, 2, 4, 8}) {
            const int colors = 1 << bits;
            const int width = 13;
            const auto pixels = NoisePixels(width * height, colors, std::uint32_t(height * 31 + bits));
            QStringList warnings;
            EXPECT_EQ(RoundTrip(method, width, height, colors, pixels, interlaced, &warnings), pixels)
                << "height " << height << " bits " << bits;
            EXPECT_TRUE(warnings.isEmpty()) << warnings.join('|').toStdString();
        }
    }
}

TEST_P(GifEncoderRoundTrip, RunsOfEveryLengthSurvive)
{
    const auto [method, interlaced] = GetParam();
    std::vector<std::pair<int, int>> runs;
    for (int length = 1; length < 300; length += 7)
        runs.push_back({length % 3, length});
    runs.push_back({2, 100000});
    runs.push_back({2, 1});
    runs.push_back({1, 5000});
    runs.push_back({1, 3});
    runs.push_back({0, 70000});
    const auto pixels = Runs(runs);
    const int width = 97;
    std::vector<std::uint8_t> padded = pixels;
    padded.resize((pixels.size() + width - 1) / width * width, 0);
    const int height = int(padded.size() / width);
    for (int bits : {2, 8}) {
        QStringList warnings;
        EXPECT_EQ(RoundTrip(method, width, height, 1 << bits, padded, interlaced, &warnings), padded) << bits;
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join('|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, GifEncoderRoundTrip,
                         ::testing::Values(TEncoderCase{cmLZW, false}, TEncoderCase{cmLZW, true},
                                           TEncoderCase{cmRLE, false}, TEncoderCase{cmRLE, true}));

TEST(GifEncoder, RunLengthOutputIsSmallForLongRuns)
{
    auto picture = MakePicture(1000, 100, 256, std::vector<std::uint8_t>(100000, 7));
    picture->Compression = cmRLE;
    const QByteArray rle = picture->SaveToBytes();
    // Runs cost codes that grow in length, so 100000 equal pixels need a few hundred codes.
    EXPECT_LT(rle.size(), 13 + 768 + 10 + 2000);
}
