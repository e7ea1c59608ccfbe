// The picture as a graphic: format registry, clipboard, drawing, the painter's timing, loops
// and stopping, and JPEG through libjpeg-turbo.
#include "GifTestTools.h"

#include "gif/GifAppExtension.h"
#include "gif/GifError.h"
#include "gif/GifPainter.h"
#include "gif/JpegImage.h"
#include "gif/PictureFormats.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

using namespace GifTest;

namespace {

// The process's address space now, from /proc (the VmSize line, in kB).
rlim_t AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmSize:") {
            rlim_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
    }
    return 0;
}

// A picture of `frames` frames of 4 x 3, frame i filled with colour index i + 1.
std::unique_ptr<TGIFImage> Animation(int frames, std::vector<int> delays = {})
{
    auto picture = std::make_unique<TGIFImage>();
    for (int i = 0; i < 4; ++i)
        picture->GlobalColorMap().Add({std::uint8_t(i * 80), std::uint8_t(255 - i * 80), 0});
    for (int f = 0; f < frames; ++f) {
        auto frame = std::make_unique<TGIFSubImage>(picture.get());
        frame->SetBounds(0, 0, 4, 3);
        std::fill(frame->Data().begin(), frame->Data().end(), std::uint8_t(1 + f % 3));
        if (std::size_t(f) < delays.size())
            frame->EnsureGraphicControlExtension().SetDelay(delays[std::size_t(f)]);
        picture->Add(std::move(frame));
    }
    return picture;
}

// A synchronous painter on a fake clock: every wait is recorded and passes at once.
struct TFakeTimedPainter
{
    explicit TFakeTimedPainter(TGIFImage& picture, std::uint16_t options = drAnimate)
        : Painter(picture, options, [this](const QImage& composed) { Paints.push_back(composed); })
    {
        Painter.NowMs = [this] { return Now; };
        Painter.SyncSleep = [this](qint64 ms) {
            Waits.push_back(ms);
            Now += ms;
        };
    }
    qint64 Now = 0;
    std::vector<qint64> Waits;
    std::vector<QImage> Paints;
    TGIFPainter Painter;
};

} // namespace

TEST(GifPictureFormats, RegistryAnswersGifAndJpeg)
{
    TPictureFormats formats;
    RegisterPictureFormats(formats);
    EXPECT_EQ(formats.Description("GIF"), "GIF Image");
    EXPECT_EQ(formats.Description(".gif"), "GIF Image");
    EXPECT_EQ(formats.Description("jpg"), "JPEG Image");
    EXPECT_NE(dynamic_cast<TGIFImage*>(formats.CreateForExtension("Gif").get()), nullptr);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(formats.CreateForExtension("jpeg").get()), nullptr);
    EXPECT_NE(dynamic_cast<TGIFImage*>(formats.CreateForClipboardFormat("GIF Image").get()), nullptr);
    EXPECT_EQ(formats.CreateForExtension("png"), nullptr);
    EXPECT_EQ(formats.ClipboardFormats(), QStringList{"GIF Image"});
    // A later registration of the same extension wins.
    formats.RegisterFileFormat("gif", "Other", [] { return std::make_unique<TJPEGImage>(); });
    EXPECT_EQ(formats.Description("GIF"), "Other");
    formats.UnregisterAll();
    EXPECT_TRUE(formats.Extensions().isEmpty());
}

TEST(GifClipboard, RoundTripGivesIdenticalBytes)
{
    auto picture = Animation(3, {5, 6, 7});
    const QByteArray bytes = picture->SaveToBytes();
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_NE(clipboard, nullptr);
    picture->SaveToClipboard(*clipboard);
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("GIF Image"), bytes);
    EXPECT_EQ(data->data("image/gif"), bytes);
    EXPECT_TRUE(data->hasImage());
    TGIFImage pasted;
    pasted.LoadFromClipboard(clipboard->mimeData());
    EXPECT_EQ(pasted.SaveToBytes(), bytes);

    QMimeData text;
    text.setText("not a picture");
    EXPECT_EQ(Raised([&] { pasted.LoadFromClipboard(&text); }), "Unsupported clipboard format");
    QMimeData image;
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    image.setImageData(red);
    pasted.LoadFromClipboard(&image);
    ASSERT_EQ(pasted.Count(), 1);
    EXPECT_EQ(pasted.Width(), 3);
}

TEST(GifPicture, FrameSizeMessagesAndCopy)
{
    auto picture = Animation(2);
    picture->Image(1)->SetBounds(2, 1, 4, 3); // grows the picture to 6 x 4
    EXPECT_EQ(picture->Width(), 6);
    EXPECT_EQ(Raised([&] { picture->SetWidth(5); }), "Image width too small for contained frames");
    EXPECT_EQ(Raised([&] { picture->SetHeight(3); }), "Image height too small for contained frames");
    picture->SetWidth(10);
    EXPECT_EQ(picture->Width(), 10);
    picture->ThreadPriority = tpLower;
    TGIFImage copy;
    copy.Assign(*picture);
    EXPECT_EQ(copy.SaveToBytes(), picture->SaveToBytes());
    EXPECT_EQ(copy.ThreadPriority, tpLower);
}

TEST(GifPicture, ProgressRunsFromStartToEndAndSurvivesHugeAndZeroSizes)
{
    auto picture = Animation(3);
    const QByteArray bytes = picture->SaveToBytes();
    TGIFImage reread;
    QList<int> percents;
    QList<TProgressStage> stages;
    reread.OnProgress = [&](TGIFImage*, TProgressStage stage, int percent, const QString& message) {
        EXPECT_EQ(message, "Loading...");
        stages.append(stage);
        percents.append(percent);
    };
    reread.LoadFromBytes(bytes);
    ASSERT_GE(stages.size(), 2);
    EXPECT_EQ(stages.first(), psStarting);
    EXPECT_EQ(stages.last(), psEnding);
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(GifPercent(5, 0), 100);
    EXPECT_EQ(GifPercent(std::int64_t(3) << 40, std::int64_t(4) << 40), 75);
}

TEST(GifPicture, PictureWithoutAnyTableDrawsWithTheSystemColours)
{
    TGIFImage picture;
    auto frame = std::make_unique<TGIFSubImage>(&picture);
    frame->SetBounds(0, 0, 2, 2);
    frame->SetPixel(1, 1, 15);
    picture.Add(std::move(frame));
    EXPECT_EQ(Raised([&] { picture.Palette(); }), "(nothing raised)");
    QImage canvas(2, 2, QImage::Format_RGB32);
    canvas.fill(Qt::magenta);
    {
        QPainter painter(&canvas);
        picture.Draw(painter, canvas.rect());
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 255, 255));
    picture.GlobalColorMap().Add({1, 2, 3});
    EXPECT_EQ(picture.Palette(), QList<QRgb>{qRgb(1, 2, 3)});
}

TEST(GifPainter, DelaysFollowTheTimingRules)
{
    auto picture = Animation(3, {1, 2000, 4});
    TFakeTimedPainter timed(*picture);
    timed.Painter.Start();
    EXPECT_EQ(timed.Waits, (std::vector<qint64>{12, 36, 12000}));
    picture->AnimationSpeed = 200;
    TFakeTimedPainter fast(*picture);
    fast.Painter.Start();
    EXPECT_EQ(fast.Waits, (std::vector<qint64>{6, 18, 6000}));
    EXPECT_EQ(TGIFPainter::FrameDelay(2000, true) * 12, 24000);
    EXPECT_EQ(TGIFPainter::FrameDelay(0, false), 10);
    // Time spent painting is taken off the next wait (half of it).
    EXPECT_EQ(TGIFPainter::WaitMs(10, 100, 20, 0), 110);
}

TEST(GifPainter, ThreeFramesPaintExactlyThreeTimesSynchronously)
{
    auto picture = Animation(3, {2, 2, 2});
    TFakeTimedPainter timed(*picture);
    int after = 0;
    timed.Painter.OnAfterPaint = [&](TGIFPainter&) { ++after; };
    timed.Painter.Start();
    EXPECT_EQ(timed.Paints.size(), 3u);
    EXPECT_EQ(after, 3);
    EXPECT_TRUE(timed.Painter.Finished());
    EXPECT_EQ(timed.Painter.ActiveImage(), -1);
    EXPECT_EQ(timed.Paints[1].pixel(0, 0), qRgb(160, 95, 0));
    EXPECT_EQ(timed.Painter.Join(), nullptr);
}

TEST(GifPainter, LoopExtensionZeroRunsOnceSynchronouslyUnlessForever)
{
    auto picture = Animation(2, {2, 2});
    picture->Image(0)->AddExtension(std::make_unique<TGIFAppExtNSLoop>(picture->Image(0)));
    TFakeTimedPainter once(*picture, drAnimate | drLoop);
    once.Painter.Start();
    EXPECT_EQ(once.Paints.size(), 2u);
    TFakeTimedPainter endless(*picture, drAnimate | drLoop | drLoopForever);
    endless.Painter.OnAfterPaint = [&](TGIFPainter& p) {
        if (endless.Paints.size() >= 7)
            p.Stop();
    };
    endless.Painter.Start();
    EXPECT_EQ(endless.Paints.size(), 7u);
}

TEST(GifPainter, LoopThatPaintsNothingEndsTheRound)
{
    TGIFImage picture;
    picture.GlobalColorMap().Add({0, 0, 0});
    auto empty = std::make_unique<TGIFSubImage>(&picture);
    empty->AddExtension(std::make_unique<TGIFCommentExtension>(empty.get()));
    picture.Add(std::move(empty));
    auto frame = std::make_unique<TGIFSubImage>(&picture);
    frame->SetBounds(0, 0, 2, 2);
    picture.Add(std::move(frame));
    TFakeTimedPainter timed(picture, drAnimate | drLoop | drLoopForever);
    timed.Painter.Start(); // returns: the loop cannot paint its first frame
    EXPECT_TRUE(timed.Paints.empty());
    EXPECT_TRUE(timed.Painter.Finished());
}

TEST(GifPainter, DisposalRestoresTheBackgroundBeforeTheNextFrame)
{
    auto picture = Animation(2, {2, 2});
    picture->BackgroundColor = qRgb(0, 0, 255);
    picture->Image(0)->GraphicControlExtension()->SetDisposal(2);
    picture->Image(1)->SetBounds(0, 0, 1, 1);
    TFakeTimedPainter timed(*picture);
    timed.Painter.Start();
    ASSERT_EQ(timed.Paints.size(), 2u);
    EXPECT_EQ(timed.Paints[0].pixel(3, 2), qRgb(80, 175, 0));
    EXPECT_EQ(timed.Paints[1].pixel(3, 2), qRgb(0, 0, 255));
}

TEST(GifPainter, AsynchronousPainterStopsCleanlyAndHandsBackErrors)
{
    auto picture = Animation(3, {3, 3, 3});
    int paints = 0;
    TGIFPainter painter(*picture, drAsync | drAnimate | drLoop | drLoopForever,
                        [&](const QImage&) { ++paints; });
    painter.Start();
    QElapsedTimer timer;
    timer.start();
    while (paints < 4 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_GE(paints, 4);
    painter.Stop();
    EXPECT_EQ(painter.Join(), nullptr);
    EXPECT_TRUE(painter.Finished());

    // A failure in the thread ends the painter; Join hands it back.
    TGIFPainter failing(*picture, drAsync | drAnimate, [](const QImage&) {});
    failing.NowMs = []() -> qint64 { RaiseGifError(QStringLiteral("Clock failed")); };
    failing.Start();
    std::exception_ptr error = failing.Join();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(Raised([&] { std::rethrow_exception(error); }), "Clock failed");
}

TEST(GifPainter, ThreadRunsAtThePicturesPriority)
{
    auto picture = Animation(2, {3, 3});
    // Read inside the painter's thread: its clock is asked there once the thread is set up.
    const auto threadSettings = [&](TGIFThreadPriority priority, int& policy, int& nice) {
        picture->ThreadPriority = priority;
        TGIFPainter painter(*picture, drAsync | drAnimate, [](const QImage&) {});
        painter.NowMs = [&]() -> qint64 {
            policy = sched_getscheduler(0);
            nice = getpriority(PRIO_PROCESS, 0);
            return 0;
        };
        painter.Start();
        EXPECT_EQ(painter.Join(), nullptr);
    };
    const int ownNice = getpriority(PRIO_PROCESS, 0);
    int policy = -1, nice = 0;
    threadSettings(tpIdle, policy, nice);
    EXPECT_EQ(policy, SCHED_IDLE);
    threadSettings(tpLowest, policy, nice);
    EXPECT_EQ(policy, SCHED_OTHER);
    EXPECT_EQ(nice, std::min(ownNice + 10, 19));
    threadSettings(tpNormal, policy, nice);
    EXPECT_EQ(nice, ownNice);
}

TEST(GifPictureDraw, OneFrameDrawsAtOnceAndAnimationKeepsItsPainterForTheSameRect)
{
    auto single = Animation(1);
    QImage canvas(8, 6, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        single->Draw(painter, canvas.rect());
    }
    EXPECT_EQ(single->DrawPainter(), nullptr);
    EXPECT_EQ(canvas.pixel(7, 5), qRgb(80, 175, 0));

    auto animated = Animation(3, {3, 3, 3});
    int changes = 0;
    animated->OnChange = [&] { ++changes; };
    {
        QPainter painter(&canvas);
        animated->Draw(painter, QRect(0, 0, 4, 3));
        TGIFPainter* first = animated->DrawPainter();
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->Started());
        animated->Draw(painter, QRect(0, 0, 4, 3));
        EXPECT_EQ(animated->DrawPainter(), first);
        animated->Draw(painter, QRect(4, 3, 4, 3));
        EXPECT_NE(animated->DrawPainter(), nullptr);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(80, 175, 0));
    QElapsedTimer timer;
    timer.start();
    while (changes < 3 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_GE(changes, 3);
    EXPECT_EQ(animated->StopDrawing(), nullptr);

    // Direct drawing returns at once; the first frame comes with the next change.
    animated->DrawOptions |= drDirect;
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        animated->Draw(painter, QRect(0, 0, 4, 3));
    }
    ASSERT_NE(animated->DrawPainter(), nullptr);
    EXPECT_FALSE(animated->DrawPainter()->Started());
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(animated->StopDrawing(), nullptr);
}

TEST(GifPictureDraw, TransparentPixelsAndRestoredAreasShowTheCanvas)
{
    // Frame 0 covers the picture but is see-through at (0, 0) and asks for its area to be
    // cleared after it; frame 1 covers (1, 0) only.
    auto picture = Animation(2, {3, 50});
    TGIFSubImage& first = *picture->Image(0);
    first.SetPixel(0, 0, 0);
    first.GraphicControlExtension()->SetTransparentColorIndex(0);
    first.GraphicControlExtension()->SetTransparent(true);
    first.GraphicControlExtension()->SetDisposal(2);
    picture->Image(1)->SetBounds(1, 0, 1, 1);
    std::fill(picture->Image(1)->Data().begin(), picture->Image(1)->Data().end(), std::uint8_t(2));
    const QRgb magenta = qRgb(255, 0, 255);

    QImage canvas(4, 3, QImage::Format_RGB32);
    canvas.fill(magenta);
    QImage afterFirst;
    picture->OnAfterPaint = [&](TGIFPainter& p) {
        if (p.ActiveImage() == 0)
            afterFirst = canvas.copy();
    };
    picture->DrawOptions = drTransparent | drAnimate;
    {
        QPainter painter(&canvas);
        picture->Draw(painter, canvas.rect());
    }
    ASSERT_FALSE(afterFirst.isNull());
    EXPECT_EQ(afterFirst.pixel(0, 0), magenta);
    EXPECT_EQ(afterFirst.pixel(3, 2), qRgb(80, 175, 0));
    EXPECT_EQ(canvas.pixel(0, 0), magenta);
    EXPECT_EQ(canvas.pixel(3, 2), magenta);
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(160, 95, 0));

    // The painter's thread: each change is drawn again onto the same canvas.
    bool secondPainted = false;
    picture->OnAfterPaint = [&](TGIFPainter& p) { secondPainted = secondPainted || p.ActiveImage() == 1; };
    picture->DrawOptions = drAsync | drTransparent | drAnimate | drLoop | drLoopForever;
    canvas.fill(magenta);
    {
        QPainter painter(&canvas);
        picture->Draw(painter, canvas.rect());
    }
    EXPECT_EQ(canvas.pixel(0, 0), magenta);
    EXPECT_EQ(canvas.pixel(3, 2), qRgb(80, 175, 0));
    QElapsedTimer timer;
    timer.start();
    while (!secondPainted && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    {
        QPainter painter(&canvas);
        picture->Draw(painter, canvas.rect());
    }
    EXPECT_EQ(canvas.pixel(0, 0), magenta);
    EXPECT_EQ(canvas.pixel(3, 2), magenta);
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(160, 95, 0));
    EXPECT_EQ(picture->StopDrawing(), nullptr);
}

TEST(GifJpeg, ImageMagicksJpegLoadsToItsPixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("plasma.jpg");
    RunTool("convert", {"-seed", "3", "-size", "64x48", "plasma:", "-quality", "92", file});
    const QByteArray expected = RunTool("convert", {file, "-depth", "8", "rgb:-"});
    ASSERT_EQ(expected.size(), 64 * 48 * 3);
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    TJPEGImage jpeg;
    jpeg.LoadFromStream(in);
    ASSERT_EQ(jpeg.Width(), 64);
    ASSERT_EQ(jpeg.Height(), 48);
    const QImage image = jpeg.StaticBitmap();
    int worst = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(int(std::uint8_t(image.constScanLine(y)[3 * x + c])) -
                                                 int(std::uint8_t(expected[(y * 64 + x) * 3 + c]))));
    EXPECT_LE(worst, 4); // decoders may differ in their last bits
}

TEST(GifJpeg, DamagedJpegRaisesAndLeavesTheStreamAlone)
{
    TJPEGImage jpeg;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    jpeg.Assign(image);
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        jpeg.SaveToStream(out);
    }
    ASSERT_GT(bytes.size(), 100);
    QByteArray damaged = "xx" + bytes.left(20);
    QBuffer in(&damaged);
    in.open(QIODevice::ReadOnly);
    in.seek(2);
    TJPEGImage reread;
    EXPECT_THROW(reread.LoadFromStream(in), GIFException);
    EXPECT_EQ(in.pos(), 2);
}

TEST(GifJpeg, AHeaderClaimingAHugePictureIsRefusedBeforeMemoryIsTaken)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("small.jpg");
    RunTool("convert", {"-size", "16x16", "xc:orange", "-interlace", "JPEG", file});
    QFile small(file);
    ASSERT_TRUE(small.open(QIODevice::ReadOnly));
    const QByteArray bytes = small.readAll();
    {
        QBuffer in(const_cast<QByteArray*>(&bytes));
        in.open(QIODevice::ReadOnly);
        TJPEGImage progressive;
        progressive.LoadFromStream(in);
        EXPECT_EQ(progressive.Width(), 16);
    }
    // The progressive frame header says 65500 x 65500 (the most a JPEG may say): its coefficients
    // alone would be tens of GB.
    const qsizetype sof = bytes.indexOf("\xFF\xC2");
    ASSERT_GT(sof, 0);
    QByteArray huge = bytes;
    for (int i = 5; i <= 8; i += 2) {
        huge[sof + i] = char(0xFF);
        huge[sof + i + 1] = char(0xDC);
    }
    QBuffer in(&huge);
    in.open(QIODevice::ReadOnly);
    // Room for the test's own needs but not for what the header asks: an attempt to take it fails
    // with the decoder's "Insufficient memory" instead of the refusal.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    rlimit bounded = before;
    bounded.rlim_cur = std::min<rlim_t>(before.rlim_cur, AddressSpaceInUse() + (rlim_t(2) << 30));
    ASSERT_EQ(setrlimit(RLIMIT_AS, &bounded), 0);
    QString message;
    try {
        TJPEGImage jpeg;
        jpeg.LoadFromStream(in);
    } catch (const GIFException& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_AS, &before);
    EXPECT_EQ(message.toStdString(), "Invalid image dimensions");
}

TEST(GifJpeg, AHeaderClaimingAPictureLargerThanTheBoardIsDecodedNoLargerThanTheBoard)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A few hundred bytes whose frame headers say 8192 x 8192: decoded whole, the pixels alone
    // would be 200 MB.
    auto claimingHuge = [&](const char* name, const QStringList& options, const char* marker) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        RunTool("convert", QStringList{"-size", "16x16", "xc:orange"} + options + QStringList{file});
        QFile small(file);
        EXPECT_TRUE(small.open(QIODevice::ReadOnly));
        QByteArray bytes = small.readAll();
        const qsizetype sof = bytes.indexOf(marker);
        EXPECT_GT(sof, 0);
        for (int i = 5; i <= 8; i += 2) {
            bytes[sof + i] = char(0x20);
            bytes[sof + i + 1] = char(0x00);
        }
        return bytes;
    };
    QByteArray baseline = claimingHuge("baseline.jpg", {}, "\xFF\xC0");
    QBuffer in(&baseline);
    in.open(QIODevice::ReadOnly);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(in);
    EXPECT_EQ(jpeg.Width(), 2048);
    EXPECT_EQ(jpeg.Height(), 2048);

    // A progressive one keeps every coefficient of the whole picture: refused.
    QByteArray progressive = claimingHuge("progressive.jpg", {"-interlace", "JPEG"}, "\xFF\xC2");
    QBuffer inProgressive(&progressive);
    inProgressive.open(QIODevice::ReadOnly);
    TJPEGImage refused;
    EXPECT_THROW(refused.LoadFromStream(inProgressive), GIFException);
}
