// Outside GIF tools as oracles: files they make decode to the pixels they read, and files we
// write read back in them to our pixels. Inputs are generated into a temporary folder.
#include "GifTestTools.h"

#include "gif/GifAppExtension.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace GifTest;

namespace {

class GifOracle : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return FDir.filePath(name); }

    // Every frame of the file decodes to what giftopnm reads, through the frame's own table.
    void ExpectSamePixelsAsTheTools(const QString& file)
    {
        TGIFImage picture;
        QStringList warnings;
        picture.OnWarning = [&](TGIFImage*, int, const QString& m) { warnings << m; };
        picture.LoadFromFile(file);
        EXPECT_TRUE(warnings.isEmpty()) << file.toStdString() << ": " << warnings.join('|').toStdString();
        ASSERT_GT(picture.Count(), 0) << file.toStdString();
        for (int i = 0; i < picture.Count(); ++i) {
            int width = 0, height = 0;
            const QByteArray expected = ToolFramePixels(file, i + 1, &width, &height);
            EXPECT_EQ(width, picture.Image(i)->Width());
            EXPECT_EQ(height, picture.Image(i)->Height());
            EXPECT_TRUE(FramePixels(*picture.Image(i)) == expected) << file.toStdString() << " frame " << i;
        }
    }

    QTemporaryDir FDir;
};

QStringList InfoLines(const QString& file)
{
    // gifsicle's description of structure, without the line that names the file.
    QStringList lines =
        QString::fromUtf8(RunTool("gifsicle", {"--info", file})).split('\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

} // namespace

TEST_F(GifOracle, FilesMadeByTheToolsDecodeToTheirPixels)
{
    ASSERT_TRUE(FDir.isValid());
    RunTool("convert", {"-size", "37x23", "plasma:fractal", "-colors", "200", Path("plasma.gif")});
    RunTool("convert", {"-size", "40x30", "gradient:red-blue", "-interlace", "GIF", Path("interlaced.gif")});
    RunTool("convert",
            {"-size", "64x48", "plasma:", "-colors", "16", "-delay", "20", "-dispose", "Background", "(",
             "-size", "20x10", "xc:orange", ")", "-loop", "3", Path("animated.gif")});
    RunTool("convert", {"-size", "300x200", "xc:white", "-fill", "black", "-draw", "circle 150,100 150,10",
                        "-colors", "2", Path("mono.gif")});
    RunTool("gifsicle", {"-O3", "--colors", "64", Path("plasma.gif"), "-o", Path("optimised.gif")});
    RunTool("gifsicle", {"--interlace", Path("animated.gif"), "-o", Path("gifsicle-interlaced.gif")});
    // netpbm from a PPM the tools made
    const QByteArray ppm = RunTool("convert", {Path("plasma.gif"), "ppm:-"});
    QFile ppmFile(Path("plasma.ppm"));
    ASSERT_TRUE(ppmFile.open(QIODevice::WriteOnly));
    ppmFile.write(ppm);
    ppmFile.close();
    const QByteArray netpbm = RunTool("ppmtogif", {Path("plasma.ppm")});
    QFile netpbmFile(Path("netpbm.gif"));
    ASSERT_TRUE(netpbmFile.open(QIODevice::WriteOnly));
    netpbmFile.write(netpbm);
    netpbmFile.close();

    for (const char* name : {"plasma.gif", "interlaced.gif", "animated.gif", "mono.gif", "optimised.gif",
                             "gifsicle-interlaced.gif", "netpbm.gif"})
        ExpectSamePixelsAsTheTools(Path(name));
}

TEST_F(GifOracle, OurFilesDecodeToOurPixelsInTheTools)
{
    ASSERT_TRUE(FDir.isValid());
    int made = 0;
    for (TGIFCompression method : {cmLZW, cmRLE}) {
        for (bool interlaced : {false, true}) {
            for (int bits : {1, 3, 8}) {
                const int width = 61, height = 19;
                std::vector<std::uint8_t> pixels =
                    NoisePixels(width * height, 1 << bits, std::uint32_t(bits));
                // Long runs too, so the run-length codes are exercised.
                std::fill(pixels.begin() + 100, pixels.begin() + 700, std::uint8_t(1));
                auto picture = MakePicture(width, height, 1 << bits, pixels, bits == 3);
                picture->Compression = method;
                picture->Image(0)->SetInterlaced(interlaced);
                const QString file = Path(QStringLiteral("ours%1.gif").arg(made++));
                picture->SaveToFile(file);
                EXPECT_TRUE(ToolFramePixels(file, 1) == FramePixels(*picture->Image(0)))
                    << file.toStdString();
                bool ok = false;
                RunTool("giftext", {file}, &ok);
                EXPECT_TRUE(ok) << "giflib refuses " << file.toStdString();
                const QByteArray magick = RunTool("convert", {file, "-depth", "8", "rgb:-"});
                EXPECT_TRUE(magick == FramePixels(*picture->Image(0))) << file.toStdString();
            }
        }
    }
}

TEST_F(GifOracle, LoadSaveLoadKeepsPixelsTimingCommentsAndLoops)
{
    ASSERT_TRUE(FDir.isValid());
    RunTool("convert", {"-size", "37x23", "plasma:fractal", "-colors", "200", Path("a.gif")});
    RunTool("convert", {"-size", "40x30", "gradient:red-blue", "-interlace", "GIF", Path("b.gif")});
    RunTool("gifsicle", {"--delay", "7", "--loopcount=4", "--disposal", "previous", "--comment", "hi there",
                         Path("a.gif"), Path("b.gif"), "-o", Path("anim.gif")});
    TGIFImage first;
    first.LoadFromFile(Path("anim.gif"));
    first.SaveToFile(Path("again.gif"));
    TGIFImage second;
    second.LoadFromFile(Path("again.gif"));
    ASSERT_EQ(second.Count(), first.Count());
    ASSERT_EQ(second.Count(), 2);
    for (int i = 0; i < second.Count(); ++i) {
        EXPECT_TRUE(FramePixels(*second.Image(i)) == FramePixels(*first.Image(i)));
        EXPECT_EQ(second.Image(i)->Delay(), 7);
        EXPECT_EQ(second.Image(i)->Disposal(), 3);
    }
    bool sawComment = false, sawLoop = false;
    for (const auto& e : second.Image(0)->Extensions()) {
        if (auto* c = dynamic_cast<TGIFCommentExtension*>(e.get()))
            sawComment = c->Text == QList<QByteArray>{"hi there"};
        if (auto* l = dynamic_cast<TGIFAppExtNSLoop*>(e.get()))
            sawLoop = l->Loops == 4;
    }
    EXPECT_TRUE(sawComment);
    EXPECT_TRUE(sawLoop);
    // gifsicle sees the same structure in both files.
    EXPECT_EQ(InfoLines(Path("again.gif")), InfoLines(Path("anim.gif")));
    ExpectSamePixelsAsTheTools(Path("again.gif"));
}
