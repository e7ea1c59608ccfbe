// Frames: rendering with masks, drawing and tiling, import, crop, merge and optimisation.
#include "GifTestTools.h"

#include "gif/GifAppExtension.h"
#include "gif/GifError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPicture>
#include <QThread>
#include <gtest/gtest.h>

#include <thread>

using namespace GifTest;

namespace {

// A frame of the given size and place on a picture, all pixels `fill`, with a 4-colour table.
TGIFSubImage& AddFrame(TGIFImage& picture, int left, int top, int width, int height, std::uint8_t fill)
{
    auto frame = std::make_unique<TGIFSubImage>(&picture);
    frame->SetBounds(left, top, width, height);
    std::fill(frame->Data().begin(), frame->Data().end(), fill);
    return *picture.Add(std::move(frame));
}

void MakeTransparent(TGIFSubImage& frame, int index)
{
    auto& gce = frame.EnsureGraphicControlExtension();
    gce.SetTransparentColorIndex(index);
    gce.SetTransparent(true);
}

void AddGreys(TGIFImage& picture, int count)
{
    for (int i = 0; i < count; ++i)
        picture.GlobalColorMap().Add({std::uint8_t(i * 60), std::uint8_t(i * 60), std::uint8_t(i * 60)});
}

} // namespace

TEST(GifFrame, RendersIndicesAndAMaskOnlyWhereTransparentPixelsAre)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& frame = AddFrame(picture, 0, 0, 3, 2, 1);
    frame.SetPixel(1, 1, 3);
    MakeTransparent(frame, 2);
    EXPECT_FALSE(frame.HasMask()); // index 2 is used nowhere
    EXPECT_EQ(frame.Bitmap().pixelIndex(1, 1), 3);
    EXPECT_EQ(frame.Bitmap().color(3), qRgb(180, 180, 180));
    frame.SetPixel(2, 0, 2);
    EXPECT_TRUE(frame.HasMask());
    EXPECT_EQ(frame.Mask().pixelIndex(2, 0), 1);
    EXPECT_EQ(frame.Mask().pixelIndex(0, 0), 0);
}

TEST(GifFrame, RenderOnLoadRendersEveryFrameAsItIsRead)
{
    TGIFImage source;
    AddGreys(source, 4);
    AddFrame(source, 0, 0, 3, 2, 3);
    TGIFImage picture;
    picture.RenderOnLoad = true;
    int renders = 0;
    picture.OnProgress = [&](TGIFImage*, TProgressStage stage, int, const QString& message) {
        renders += stage == psEnding && message == "Rendering...";
    };
    picture.LoadFromBytes(source.SaveToBytes());
    EXPECT_EQ(renders, 1);
}

TEST(GifFrame, DitheredRenderingUsesTheCubeAndFillsBehindTheMaskWithTheTransparentColour)
{
    TGIFImage picture;
    picture.DrawOptions = drDither; // dither on any display
    picture.GlobalColorMap().Add({255, 0, 0});
    picture.GlobalColorMap().Add({0, 0, 255});
    TGIFSubImage& frame = AddFrame(picture, 0, 0, 2, 1, 0);
    frame.SetPixel(1, 0, 1);
    MakeTransparent(frame, 1);
    const QImage bitmap = frame.Bitmap();
    EXPECT_EQ(bitmap.pixelIndex(0, 0), 180); // red in the cube
    EXPECT_EQ(bitmap.pixelIndex(1, 0), 5);   // blue, behind the mask
    EXPECT_EQ(frame.Mask().pixelIndex(1, 0), 1);
}

TEST(GifFrame, DrawPlacesTheFrameInProportionAndTilesCountRight)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    AddFrame(picture, 0, 0, 100, 100, 0);
    TGIFSubImage& frame = AddFrame(picture, 10, 10, 20, 20, 3);
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    {
        QPainter painter(&canvas);
        frame.Draw(painter, QRect(0, 0, 200, 200), false, false);
    }
    EXPECT_EQ(canvas.pixel(19, 19), QColor(Qt::green).rgb());
    EXPECT_EQ(canvas.pixel(20, 20), qRgb(180, 180, 180));
    EXPECT_EQ(canvas.pixel(59, 59), qRgb(180, 180, 180));
    EXPECT_EQ(canvas.pixel(60, 60), QColor(Qt::green).rgb());

    TGIFImage small;
    AddGreys(small, 2);
    TGIFSubImage& whole = AddFrame(small, 0, 0, 30, 20, 1);
    EXPECT_EQ(whole.TileRects(QRect(0, 0, 100, 50)).size(), 12);
    QImage tiled(100, 50, QImage::Format_RGB32);
    tiled.fill(Qt::green);
    {
        QPainter painter(&tiled);
        whole.StretchDraw(painter, QRect(0, 0, 100, 50), true, false);
    }
    EXPECT_EQ(tiled.pixel(99, 49), qRgb(60, 60, 60)); // the clipped last tile
}

TEST(GifFrame, TransparentDrawingLeavesMaskedPixelsAlone)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& frame = AddFrame(picture, 0, 0, 2, 1, 1);
    frame.SetPixel(1, 0, 0);
    MakeTransparent(frame, 0);
    QImage canvas(2, 1, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    {
        QPainter painter(&canvas);
        frame.StretchDraw(painter, QRect(0, 0, 2, 1), false, true);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(60, 60, 60));
    EXPECT_EQ(canvas.pixel(1, 0), QColor(Qt::green).rgb());
}

TEST(GifFrame, ZeroSizedPictureNeverLoopsWhenTiling)
{
    TGIFImage picture;
    TGIFSubImage frame(&picture);
    EXPECT_TRUE(frame.TileRects(QRect(0, 0, 100, 100)).isEmpty());
}

TEST(GifImport, TwoHundredFiftySixColoursImportAndOneMoreOverflows)
{
    TGIFImage picture;
    picture.ColorReduction = rcNone;
    QImage image(257, 1, QImage::Format_RGB32);
    for (int x = 0; x < 257; ++x)
        image.setPixel(x, 0, qRgb(x % 256, x / 256, 7));
    TGIFSubImage frame(&picture);
    frame.AssignImage(image.copy(0, 0, 256, 1));
    EXPECT_EQ(frame.ColorMap().Count(), 256);
    EXPECT_EQ(FramePixels(frame).mid(3 * 200, 3), QByteArray::fromHex("c80007"));
    TGIFSubImage over(&picture);
    EXPECT_EQ(Raised([&] { over.AssignImage(image); }), "Color table overflow");
    EXPECT_TRUE(over.Empty());
}

TEST(GifImport, DefaultImportOfPureRedGoesThroughTheCube)
{
    TGIFImage picture;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    TGIFSubImage frame(&picture);
    frame.AssignImage(image);
    EXPECT_EQ(frame.Pixel(2, 1), 180);
    EXPECT_EQ(frame.ActiveColorMap().Color(180), (TGIFColor{255, 0, 0}));
}

TEST(GifImport, SeeThroughPixelsBecomeTheTransparentColour)
{
    TGIFImage picture;
    picture.ColorReduction = rcNone;
    QImage icon(3, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(10, 20, 30, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 0, 0));
    icon.setPixel(2, 0, qRgba(10, 20, 30, 255));
    TGIFSubImage frame(&picture);
    frame.AssignImage(icon);
    ASSERT_TRUE(frame.Transparent());
    EXPECT_EQ(frame.TransparentColorIndex(), frame.Pixel(1, 0));
    EXPECT_NE(frame.Pixel(0, 0), frame.Pixel(1, 0));

    QPicture drawing;
    {
        QPainter painter(&drawing);
        painter.fillRect(QRect(0, 0, 4, 4), qRgb(200, 0, 0));
        painter.fillRect(QRect(0, 0, 2, 2), qRgb(0, 0, 200));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::NoBrush);
    }
    TGIFSubImage fromDrawing(&picture);
    fromDrawing.AssignPicture(drawing);
    EXPECT_EQ(fromDrawing.Width(), 4);
    EXPECT_FALSE(fromDrawing.Transparent()); // the drawing covers every pixel
}

TEST(GifImport, FrameCopyKeepsPixelsTableAndExtensions)
{
    TGIFImage picture;
    TGIFSubImage source(&picture);
    source.SetBounds(2, 3, 2, 2);
    source.ColorMap().Add({1, 2, 3});
    source.ColorMap().Add({4, 5, 6});
    source.Data() = {0, 1, 1, 0};
    MakeTransparent(source, 1);
    source.GraphicControlExtension()->SetDelay(42);
    TGIFSubImage copy(&picture);
    copy.Assign(source);
    EXPECT_EQ(copy.Data(), source.Data());
    EXPECT_EQ(copy.Left(), 2);
    EXPECT_EQ(copy.ColorMap().Count(), 2);
    EXPECT_EQ(copy.Delay(), 42);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColorIndex(), 1);
}

TEST(GifEdit, CropShrinksToTheOpaquePixelsOrEmpties)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& frame = AddFrame(picture, 5, 6, 3, 3, 0);
    frame.SetPixel(1, 1, 2);
    MakeTransparent(frame, 0);
    frame.Crop();
    EXPECT_EQ(frame.Width(), 1);
    EXPECT_EQ(frame.Height(), 1);
    EXPECT_EQ(frame.Left(), 6);
    EXPECT_EQ(frame.Top(), 7);
    EXPECT_EQ(frame.Pixel(0, 0), 2);
    TGIFSubImage& clear = AddFrame(picture, 0, 0, 2, 2, 0);
    MakeTransparent(clear, 0);
    clear.Crop();
    EXPECT_TRUE(clear.Empty());
}

TEST(GifEdit, MergeMakesRepeatedPixelsTransparent)
{
    TGIFImage picture;
    AddGreys(picture, 3);
    TGIFSubImage& first = AddFrame(picture, 0, 0, 4, 1, 1);
    TGIFSubImage& second = AddFrame(picture, 0, 0, 4, 1, 1);
    second.SetPixel(3, 0, 2);
    (void)first;
    second.Merge(*picture.Image(0));
    ASSERT_TRUE(second.Transparent());
    const int transparent = second.TransparentColorIndex();
    EXPECT_EQ(transparent, 3); // black was added to the table for it
    EXPECT_EQ(second.Data(), (std::vector<std::uint8_t>{3, 3, 3, 2}));
}

TEST(GifEdit, MergeReusesAnotherFramesTransparentIndexOnlyWhenUnused)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& other = AddFrame(picture, 0, 0, 1, 1, 0);
    MakeTransparent(other, 2);
    AddFrame(picture, 0, 0, 3, 1, 1);
    TGIFSubImage& frame = AddFrame(picture, 0, 0, 3, 1, 1);
    frame.SetPixel(2, 0, 2); // draws index 2: it cannot stand for transparency here
    frame.Merge(*picture.Image(1));
    EXPECT_EQ(frame.TransparentColorIndex(), 4);
    EXPECT_EQ(frame.Pixel(2, 0), 2);
    TGIFSubImage& reuse = AddFrame(picture, 0, 0, 3, 1, 1);
    reuse.Merge(*picture.Image(1));
    EXPECT_EQ(reuse.TransparentColorIndex(), 2);
}

TEST(GifOptimize, EmptyTransparentFrameGoesAndGivesItsDelayAway)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& first = AddFrame(picture, 0, 0, 4, 4, 1);
    MakeTransparent(first, 0);
    first.GraphicControlExtension()->SetDelay(65000);
    TGIFSubImage& empty = AddFrame(picture, 0, 0, 4, 4, 0);
    MakeTransparent(empty, 0);
    empty.GraphicControlExtension()->SetDelay(1000);
    picture.Optimize(ooCrop, rcNone, dtNearest, 8);
    ASSERT_EQ(picture.Count(), 1);
    EXPECT_EQ(picture.Image(0)->Delay(), 65535);
}

TEST(GifOptimize, CleanUpDropsWhatChangesNothing)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& first = AddFrame(picture, 0, 0, 2, 2, 1);
    auto comment = std::make_unique<TGIFCommentExtension>(&first);
    first.AddExtension(std::move(comment));
    first.AddExtension(std::make_unique<TGIFAppExtNSLoop>(&first));
    first.EnsureGraphicControlExtension(); // no delay, no transparency
    TGIFSubImage& second = AddFrame(picture, 0, 0, 2, 2, 2);
    second.EnsureGraphicControlExtension().SetDelay(20);
    second.AddExtension(std::make_unique<TGIFAppExtNSLoop>(&second));
    picture.Optimize(ooCleanup, rcNone, dtNearest, 8);
    ASSERT_EQ(first.Extensions().size(), 1u);
    EXPECT_NE(dynamic_cast<TGIFAppExtNSLoop*>(first.Extensions()[0].get()), nullptr);
    ASSERT_EQ(second.Extensions().size(), 1u);
    EXPECT_EQ(second.Delay(), 20);
    EXPECT_EQ(Raised([&] { picture.Optimize(ooReduceColors, rcCustomPalette, dtNearest, 8); }),
              "Invalid reduction method");
}

TEST(GifOptimize, RestoringDisposalIsKeptUnlessTheNextFrameCoversIt)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& big = AddFrame(picture, 0, 0, 10, 10, 1);
    big.EnsureGraphicControlExtension().SetDisposal(2);
    AddFrame(picture, 2, 2, 3, 3, 2); // covers only part of it
    TGIFSubImage& small = AddFrame(picture, 2, 2, 3, 3, 1);
    small.EnsureGraphicControlExtension().SetDisposal(2);
    AddFrame(picture, 0, 0, 10, 10, 3);
    picture.Optimize(ooCleanup, rcNone, dtNearest, 8);
    EXPECT_EQ(big.Disposal(), 2);
    EXPECT_EQ(small.Disposal(), 0);
}

TEST(GifRender, OffThreadRenderingMatchesAndEventsArriveOnTheOwnerThread)
{
    TGIFImage picture;
    AddGreys(picture, 4);
    TGIFSubImage& frame = AddFrame(picture, 0, 0, 300, 200, 2);
    QList<Qt::HANDLE> threads;
    picture.OnProgress = [&](TGIFImage*, TProgressStage, int, const QString&) {
        threads.append(QThread::currentThreadId());
    };
    QImage fromThread;
    std::thread worker([&] { fromThread = frame.Bitmap(); });
    const QImage here = frame.Bitmap();
    worker.join();
    EXPECT_EQ(fromThread, here);
    QElapsedTimer timer;
    timer.start();
    while (threads.size() < 2 && timer.elapsed() < 5000)
        QCoreApplication::processEvents();
    ASSERT_GE(threads.size(), 2);
    for (Qt::HANDLE t : threads)
        EXPECT_EQ(t, QThread::currentThreadId());
}
