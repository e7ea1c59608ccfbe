// Colour lookups, the dither engines, the octree and ReduceBitmapColors.
#include "GifTestTools.h"

#include "gif/GifBitmap.h"
#include "gif/GifColorLookup.h"
#include "gif/GifDither.h"
#include "gif/GifError.h"
#include "gif/GifOctree.h"
#include "gif/GifPalettes.h"
#include "gif/GifReduce.h"

#include <gtest/gtest.h>

#include <set>

using namespace GifTest;

namespace {

TBitmap Solid(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return TBitmap(image.convertToFormat(QImage::Format_BGR888));
}

int Index(const TBitmap& bitmap, int x, int y)
{
    return bitmap.Image().pixelIndex(x, y);
}

} // namespace

TEST(GifLookup, CubeMapsToItsNearestStep)
{
    TNetscapeColorLookup cube;
    std::uint8_t r = 255, g = 0, b = 0;
    EXPECT_EQ(cube.Lookup(r, g, b), 180);
    EXPECT_EQ(qRgb(r, g, b), qRgb(255, 0, 0));
    r = g = b = 48;
    EXPECT_EQ(cube.Lookup(r, g, b), 43);
    EXPECT_EQ(qRgb(r, g, b), qRgb(51, 51, 51));
    r = g = b = 26;
    EXPECT_EQ(cube.Lookup(r, g, b), 0);
    EXPECT_EQ(CubePalette216().at(180), qRgb(255, 0, 0));
    EXPECT_EQ(CubePalette216().at(43), qRgb(51, 51, 51));
}

TEST(GifLookup, MonochromeThresholdAndGreyWeights)
{
    TMonochromeLookup mono;
    std::uint8_t r = 127, g = 127, b = 127;
    EXPECT_EQ(mono.Lookup(r, g, b), 0);
    EXPECT_EQ(r, 0);
    r = g = b = 128;
    EXPECT_EQ(mono.Lookup(r, g, b), 1);
    EXPECT_EQ(b, 255);
    TGrayScaleLookup grey;
    r = 255, g = 0, b = 0;
    EXPECT_EQ(grey.Lookup(r, g, b), 76);
    EXPECT_EQ(g, 76);
}

TEST(GifLookup, FastLookupFindsNearestAndLowerIndexWinsTies)
{
    TFastColorLookup lookup({qRgb(10, 10, 10), qRgb(30, 10, 10), qRgb(200, 0, 0)});
    std::uint8_t r = 20, g = 10, b = 10; // 10 from both of the first two
    EXPECT_EQ(lookup.Lookup(r, g, b), 0);
    EXPECT_EQ(qRgb(r, g, b), qRgb(10, 10, 10));
    r = 190, g = 5, b = 0;
    EXPECT_EQ(lookup.Lookup(r, g, b), 2);
    r = 30, g = 10, b = 10; // an entry's own colour is found directly
    EXPECT_EQ(lookup.Lookup(r, g, b), 1);
}

TEST(GifDither, TwoGreyPixelsFloydSteinbergToMono)
{
    // 100 is black with error +100; 7/16 of it lifts the next pixel to 144: white.
    const TBitmap source = Solid(2, 1, qRgb(100, 100, 100));
    const TBitmap plain = ReduceBitmapColors(source, rcMono, dtNearest);
    EXPECT_EQ(Index(plain, 0, 0), 0);
    EXPECT_EQ(Index(plain, 1, 0), 0);
    const TBitmap dithered = ReduceBitmapColors(source, rcMono, dtFloydSteinberg);
    EXPECT_EQ(Index(dithered, 0, 0), 0);
    EXPECT_EQ(Index(dithered, 1, 0), 1);
    EXPECT_EQ(dithered.PixelFormat(), pf8bit);
    EXPECT_EQ(dithered.Palette().size(), 256);
}

class GifDitherEngine : public ::testing::TestWithParam<TDitherMode>
{
};

TEST_P(GifDitherEngine, TinyPicturesStayInsideTheirRows)
{
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 2}, std::pair{3, 5}}) {
        const TBitmap result = ReduceBitmapColors(Solid(w, h, qRgb(90, 160, 30)), rcCube216, GetParam());
        ASSERT_EQ(result.Width(), w);
        ASSERT_EQ(result.Height(), h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_LT(Index(result, x, y), 216);
    }
}

TEST_P(GifDitherEngine, AverageBrightnessIsKept)
{
    // 100/255 of a grey area should come out white when dithered to black and white.
    const TBitmap result = ReduceBitmapColors(Solid(64, 64, qRgb(100, 100, 100)), rcMono, GetParam());
    int white = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            white += Index(result, x, y);
    const double fraction = white / 4096.0;
    if (GetParam() == dtNearest)
        EXPECT_EQ(white, 0);
    else
        EXPECT_NEAR(fraction, 100.0 / 255.0, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Modes, GifDitherEngine,
                         ::testing::Values(dtNearest, dtFloydSteinberg, dtStucki, dtSierra, dtJaJuNi,
                                           dtSteveArche, dtBurkes));

TEST(GifOctree, SixteenColoursFromThreeGiveThreeLeavesAndBlack)
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(250, 10, 10));
    image.setPixel(1, 0, qRgb(10, 250, 10));
    image.setPixel(2, 0, qRgb(10, 10, 250));
    const TBitmap bitmap(image);
    const QList<QRgb> palette = ReductionPalette(bitmap, rcOctree, {}, 4);
    ASSERT_EQ(palette.size(), 16);
    EXPECT_EQ(std::set<QRgb>(palette.begin(), palette.begin() + 3),
              (std::set<QRgb>{qRgb(250, 10, 10), qRgb(10, 250, 10), qRgb(10, 10, 250)}));
    for (int i = 3; i < 16; ++i)
        EXPECT_EQ(palette[i], qRgb(0, 0, 0));
}

TEST(GifOctree, ReductionMergesToTheWantedCountAndSystemColoursFrame)
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    TColorQuantizer quantizer(16, 8);
    quantizer.ProcessImage(TDIBReader(TBitmap(image), pf24bit));
    EXPECT_LE(quantizer.LeafCount(), 16);
    EXPECT_EQ(quantizer.Colors().size(), quantizer.LeafCount());
    const QList<QRgb> withSystem = ReductionPalette(TBitmap(image), rcOctreeSystem, {}, 8);
    ASSERT_EQ(withSystem.size(), 256);
    EXPECT_EQ(withSystem.mid(0, 10), SystemPalette20().mid(0, 10));
    EXPECT_EQ(withSystem.mid(246, 10), SystemPalette20().mid(10, 10));
}

TEST(GifReduce, ReductionBitsAreClampedAndEveryMethodAnswers)
{
    const TBitmap source = Solid(5, 4, qRgb(30, 60, 90));
    EXPECT_EQ(ReductionPalette(source, rcOctree, {}, 0).size(), 2);
    EXPECT_EQ(ReductionPalette(source, rcOctree, {}, 12).size(), 256);
    for (TColorReduction method :
         {rcSystem20, rcHalftone256, rcGray4, rcMono, rcGray256, rcCube216, rcOctree, rcOctreeSystem}) {
        const TBitmap result = ReduceBitmapColors(source, method, dtFloydSteinberg);
        EXPECT_EQ(result.PixelFormat(), pf8bit) << method;
        EXPECT_EQ(result.Width(), 5);
    }
    EXPECT_EQ(HalftonePalette256().size(), 256);
    EXPECT_EQ(GrayPalette(4),
              (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)}));
    const TBitmap custom =
        ReduceBitmapColors(source, rcCustomPalette, dtNearest, {qRgb(0, 0, 0), qRgb(40, 50, 100)});
    EXPECT_EQ(Index(custom, 2, 2), 1);
    const TBitmap copy = ReduceBitmapColors(source, rcNone, dtNearest);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    EXPECT_EQ(copy.ToImage().pixel(1, 1), qRgb(30, 60, 90));
}

TEST(GifReduce, NothingToReduceToIsRefused)
{
    const TBitmap source = Solid(2, 2, qRgb(1, 2, 3));
    EXPECT_EQ(Raised([&] { ReduceBitmapColors(TBitmap(), rcCube216, dtNearest); }),
              "Invalid image dimensions");
    EXPECT_EQ(Raised([&] { ReduceBitmapColors(source, rcCustomPalette, dtNearest, {}); }),
              "Invalid image dimensions");
    EXPECT_EQ(Raised([&] { ReduceBitmapColors(source, TColorReduction(42), dtNearest); }),
              "Invalid image dimensions");
    EXPECT_EQ(Raised([&] { ReduceBitmapColors(source, rcCube216, TDitherMode(42)); }),
              "Invalid image dimensions");
}

TEST(GifReduce, ReaderConvertsACopyNotTheCallersBitmap)
{
    TBitmap indexed(4, 4, pf8bit);
    indexed.SetPalette({qRgb(9, 8, 7)});
    const TDIBReader reader(indexed, pf24bit);
    EXPECT_EQ(indexed.PixelFormat(), pf8bit);
    EXPECT_EQ(reader.ScanLine(0)[0], 7); // blue first
    EXPECT_EQ(reader.ScanLine(0)[2], 9);
}

TEST(GifBitmap, WriterAndScanLineMessages)
{
    TBitmap target;
    EXPECT_EQ(Raised([&] { TDIBWriter(target, {}, 2, 2, pf4bit); }), "Unsupported PixelFormat");
    EXPECT_EQ(Raised([&] { TDIBWriter(target, {}, 0, 2, pf8bit); }), "Invalid image dimensions");
    TDIBWriter writer(target, {qRgb(1, 2, 3)}, 2, 3, pf8bit);
    EXPECT_EQ(Raised([&] { writer.ScanLine(2); }), "Scan line index out of range");
    writer.ScanLine(1)[2] = 0;
    writer.Finish();
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Palette().value(0), qRgb(1, 2, 3));
    EXPECT_EQ(Raised([&] { target.ScanLine(-1); }), "Scan line index out of range");
    EXPECT_EQ(Raised([&] { writer.ScanLine(0); }), "Image has no DIB");
}
