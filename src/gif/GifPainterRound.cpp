// One round of a painter: loops over the frames with their delays, loop count and disposal.
#include "gif/GifAppExtension.h"
#include "gif/GifImage.h"
#include "gif/GifPainter.h"

#include <QPainter>

#include <thread>

bool TGIFPainter::WaitFrame(int delay, TGIFSubImage& frame)
{
    if (delay < 1) {
        std::this_thread::yield();
        return !FTerminated;
    }
    frame.Bitmap(); // rendered before the wait, so the paint itself is quick
    qint64 wait = -1;
    if (FSpeed >= 1) {
        wait = WaitMs(delay, FSpeed, NowMs() - FMark, FCarry);
        FCarry = wait;
    } else if (!FAsync) {
        wait = WaitMs(delay, 0, 0, 0);
    }
    FMark = NowMs();
    if (FAsync) {
        if (wait > 0 || FSpeed < 1) {
            std::unique_lock lock(FWaitLock);
            const auto woken = [this] { return FTerminated || FRestart; };
            const bool signalled = wait < 0 ? (FWake.wait(lock, woken), true)
                                            : FWake.wait_for(lock, std::chrono::milliseconds(wait), woken);
            if (signalled) {
                FCarry = 0;
                FMark = NowMs();
            }
        }
    } else {
        SyncSleep(std::max<qint64>(wait, 1));
    }
    return !FTerminated && !FRestart;
}

void TGIFPainter::ReadFrameExtensions(TGIFSubImage& frame, bool& loopSeen, int& loopCount, int& loopStart,
                                      int index)
{
    for (const auto& extension : frame.Extensions()) {
        const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get());
        if (loop && !loopSeen) {
            loopSeen = true;
            const bool endless = FAsync && (loop->Loops == 0 || (FOptions & drLoopForever));
            loopCount = endless ? -1 : loop->Loops;
            loopStart = index;
        }
    }
}

void TGIFPainter::RestoreArea(const QRect& area)
{
    // Drawn transparently, the background is whatever the target showed before the painter
    // began, so the area is cleared to let that through; otherwise it takes the colour.
    QPainter painter(&FComposed);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area,
                     (FOptions & drTransparent) ? QColor(Qt::transparent) : QColor::fromRgba(FBackground));
}

void TGIFPainter::PaintFrame(TGIFSubImage& frame, int index)
{
    const QRect area(frame.Left(), frame.Top(), frame.Width(), frame.Height());
    if ((FOptions & drClearOnLoop) && index == 0)
        RestoreArea(FComposed.rect());
    const int disposal = frame.Disposal();
    if (disposal == 3)
        FSaved = FComposed.copy(area);
    {
        QPainter painter(&FComposed);
        frame.Draw(painter, FComposed.rect(), false, (FOptions & drTransparent) != 0);
    }
    Synchronize([this] { FTarget(FComposed); });
    FStarted = true;
    // What the frame asks to leave behind for the next one.
    if (disposal == 2)
        RestoreArea(area);
    else if (disposal == 3 && !FSaved.isNull()) {
        QPainter painter(&FComposed);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.topLeft(), FSaved);
    }
    FPreviousDisposal = disposal;
}

void TGIFPainter::RunRound()
{
    FActiveImage = 0;
    Fire(OnStartPaint);
    FStarted = false;
    int loopCount = 1;
    int loopStart = 0;
    bool loopSeen = false;
    FPreviousDisposal = 1;
    int delay = FAsync ? 0 : 1;
    FMark = NowMs();
    FCarry = 0;
    FComposed = QImage(std::max(FPicture.Width(), 1), std::max(FPicture.Height(), 1),
                       QImage::Format_ARGB32_Premultiplied);
    // Nothing painted yet: the target's own content shows through.
    FComposed.fill(Qt::transparent);
    const bool animate = (FOptions & drAnimate) != 0;
    bool firstLoop = true;
    while ((loopCount != 0 || (FOptions & drLoopForever)) && !FTerminated && !FRestart) {
        FActiveImage = loopStart;
        if (!firstLoop)
            Fire(OnLoopPaint);
        firstLoop = false;
        bool paintedAny = false;
        while (FActiveImage >= 0 && FActiveImage < FPicture.Count() &&
               !FPicture.Image(FActiveImage)->Empty() && !FTerminated && !FRestart) {
            const int index = FActiveImage;
            TGIFSubImage& frame = *FPicture.Image(index);
            if (!WaitFrame(delay, frame))
                break;
            Fire(OnPaint);
            ReadFrameExtensions(frame, loopSeen, loopCount, loopStart, index);
            PaintFrame(frame, index);
            paintedAny = true;
            delay = FrameDelay(frame.Delay(), FAsync);
            Fire(OnAfterPaint);
            if (FActiveImage == index)
                FActiveImage = index + 1;
            if (!animate)
                break;
        }
        if (loopCount > 0)
            --loopCount;
        // A loop that painted nothing would only spin; it ends the round.
        if (!(animate && (FOptions & drLoop)) || !paintedAny)
            break;
    }
}
