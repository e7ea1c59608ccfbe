// ImageMagick as the oracle for colour reduction and for what optimised animations show.
#include "GifTestTools.h"

#include "gif/GifReduce.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace GifTest;

namespace {

double MeanError(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
            sum += std::sqrt(double(dr * dr + dg * dg + db * db));
        }
    return sum / (double(a.width()) * a.height());
}

int DistinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

QImage ReadPpm(const QByteArray& ppm)
{
    int width = 0, height = 0;
    const QByteArray rgb = ParsePpm(ppm, &width, &height);
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::copy_n(rgb.constData() + qsizetype(y) * width * 3, width * 3, image.scanLine(y));
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(GifReduceOracle, OctreeErrorIsCloseToImageMagicks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = dir.filePath("source.ppm");
    RunTool("convert", {"-seed", "7", "-size", "160x120", "plasma:fractal", "-depth", "8", source});
    RunTool("convert",
            {"-size", "160x120", "gradient:navy-orange", "-depth", "8", dir.filePath("gradient.ppm")});
    for (const QString& file : {source, dir.filePath("gradient.ppm")}) {
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QImage original = ReadPpm(in.readAll());
        ASSERT_FALSE(original.isNull());
        for (int colours : {16, 64, 256}) {
            const int bits = int(std::log2(colours));
            const QImage ours =
                ReduceBitmapColors(TBitmap(original), rcOctree, dtNearest, {}, bits).ToImage();
            const QImage magick =
                ReadPpm(RunTool("convert", {file, "-dither", "None", "-colors", QString::number(colours),
                                            "-depth", "8", "ppm:-"}));
            ASSERT_EQ(magick.size(), original.size());
            EXPECT_LE(DistinctColours(ours), colours);
            EXPECT_LE(DistinctColours(magick), colours);
            const double ourError = MeanError(original, ours);
            const double theirError = MeanError(original, magick);
            EXPECT_LE(ourError, 1.2 * theirError + 0.5)
                << file.toStdString() << " " << colours << " colours: ours " << ourError << ", ImageMagick "
                << theirError;
        }
    }
}

TEST(GifReduceOracle, OptimisedAnimationShowsTheSameFrames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Three full frames: a grey field with a square that moves, and one that changes colour.
    TGIFImage picture;
    for (int i = 0; i < 4; ++i)
        picture.GlobalColorMap().Add(
            {std::uint8_t(i * 80), std::uint8_t(40 + i * 50), std::uint8_t(200 - i * 40)});
    for (int f = 0; f < 3; ++f) {
        auto frame = std::make_unique<TGIFSubImage>(&picture);
        frame->SetBounds(0, 0, 40, 30);
        std::fill(frame->Data().begin(), frame->Data().end(), std::uint8_t(1));
        for (int y = 5; y < 15; ++y)
            for (int x = 5 + 8 * f; x < 15 + 8 * f; ++x)
                frame->SetPixel(x, y, std::uint8_t(2 + (f == 2)));
        frame->EnsureGraphicControlExtension().SetDelay(10);
        picture.Add(std::move(frame));
    }
    const QString plain = dir.filePath("plain.gif");
    const QString optimised = dir.filePath("optimised.gif");
    picture.SaveToFile(plain);
    picture.Optimize(ooCrop | ooMerge | ooCleanup | ooColorMap, rcNone, dtNearest, 8);
    picture.SaveToFile(optimised);
    // Something was really optimised: later frames shrank to the moving square.
    EXPECT_LT(picture.Image(2)->Width(), 40);
    const QByteArray expected = RunTool("convert", {plain, "-coalesce", "-depth", "8", "rgb:-"});
    const QByteArray actual = RunTool("convert", {optimised, "-coalesce", "-depth", "8", "rgb:-"});
    ASSERT_EQ(expected.size(), 3 * 40 * 30 * 3);
    EXPECT_TRUE(actual == expected);
}
