#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include <sys/types.h>

class QPainter;
class TGIFImage;
enum TGIFThreadPriority : int;
class TGIFSubImage;

// Shows a picture's frames in turn with their delays, disposal and loop count. A synchronous
// painter runs inside Start; an asynchronous one runs in its own thread and paints through
// calls run in the picture's thread. Frames are composed in the painter's own image of the
// picture's size, which then goes to the target; it is clear where no frame painted and where
// a transparent drawing was restored to the background, so the target's own content shows.
class TGIFPainter
{
public:
    // Paints the composed picture onto the target; called in the picture's thread.
    using TTarget = std::function<void(const QImage& composed)>;
    using TEvent = std::function<void(TGIFPainter& painter)>;

    TGIFPainter(TGIFImage& picture, std::uint16_t drawOptions, TTarget target);
    // Stops and joins; never raises (an error in the thread is kept for Join).
    ~TGIFPainter();
    TGIFPainter(const TGIFPainter&) = delete;
    TGIFPainter& operator=(const TGIFPainter&) = delete;

    void Start();
    // Asks the painter to end; wakes an asynchronous one from its wait.
    void Stop();
    // Waits for an asynchronous painter to end (running queued calls meanwhile when called
    // from the picture's thread) and hands back what went wrong in it, if anything.
    std::exception_ptr Join();
    void Restart();

    bool Asynchronous() const { return FAsync; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    bool Started() const { return FStarted; }
    int ActiveImage() const { return FActiveImage; }
    void SetActiveImage(int index) { FActiveImage = index; }
    std::uint16_t DrawOptions() const { return FOptions; }
    QRect Rect;

    // Milliseconds between two frames: the delay in hundredths (10 when 0, at least 3, for a
    // synchronous painter at most 1000) at 12 ms each, scaled by the speed in percent.
    static int FrameDelay(int gceDelay, bool async);
    static qint64 WaitMs(int delay, int speed, qint64 elapsedMs, qint64 carryMs);

    TEvent OnStartPaint, OnLoopPaint, OnPaint, OnAfterPaint, OnEndPaint;
    // Time source and the synchronous painter's sleep, replaceable for tests.
    std::function<qint64()> NowMs;
    std::function<void(qint64 ms)> SyncSleep;

private:
    void Execute();
    void RunRound();
    bool WaitFrame(int delay, TGIFSubImage& frame);
    void ReadFrameExtensions(TGIFSubImage& frame, bool& loopSeen, int& loopCount, int& loopStart, int index);
    void PaintFrame(TGIFSubImage& frame, int index);
    void RestoreArea(const QRect& area);
    void Synchronize(const std::function<void()>& call);
    void Fire(const TEvent& event);

    TGIFImage& FPicture;
    std::uint16_t FOptions;
    TTarget FTarget;
    bool FAsync;
    int FSpeed;
    TGIFThreadPriority FPriority;
    std::mutex FThreadIdLock;
    pid_t FThreadId = 0; // the asynchronous painter's thread while it runs
    int FStartNice = 0;
    QRgb FBackground;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FRestart{true};
    std::atomic<int> FActiveImage{-1};
    bool FStarted = false;
    int FPreviousDisposal = 1;
    qint64 FMark = 0;
    qint64 FCarry = 0;
    QImage FComposed;
    QImage FSaved;
    std::mutex FWaitLock;
    std::condition_variable FWake;
    std::thread FThread;
    std::exception_ptr FError;
};
