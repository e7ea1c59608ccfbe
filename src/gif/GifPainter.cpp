#include "gif/GifPainter.h"

#include "gif/GifImage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QPainter>
#include <QThread>

#include <chrono>
#include <cmath>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Puts a thread at a priority: the lowest is the idle class, the others move its nice value
// from the one it started with by steps of five. Lowering needs no privilege; raising above
// the start needs the right to (RLIMIT_NICE or CAP_SYS_NICE), and without it the thread keeps
// its priority.
void SetThreadPriority(pid_t thread, TGIFThreadPriority priority, int startNice)
{
    sched_param param{};
    if (priority == tpIdle) {
        (void)sched_setscheduler(thread, SCHED_IDLE, &param);
        return;
    }
    if (sched_getscheduler(thread) == SCHED_IDLE)
        (void)sched_setscheduler(thread, SCHED_OTHER, &param);
    const int nice = std::clamp(startNice + (int(tpNormal) - int(priority)) * 5, -20, 19);
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice);
}

// Animation timing: 12 ms per hundredth of a second, 10 when a frame names no delay, at least
// 3, and a synchronous painter (which holds its caller) at most 1000.
constexpr int DelayUnitMs = 12;
constexpr int DefaultDelay = 10;
constexpr int MinimumDelay = 3;
constexpr int MaximumDelay = 1000;

} // namespace

TGIFPainter::TGIFPainter(TGIFImage& picture, std::uint16_t drawOptions, TTarget target)
    : FPicture(picture), FOptions(drawOptions), FTarget(std::move(target)),
      FAsync((drawOptions & drAsync) != 0), FSpeed(picture.AnimationSpeed), FPriority(picture.ThreadPriority)
{
    QElapsedTimer clock;
    clock.start();
    NowMs = [clock] { return clock.elapsed(); };
    SyncSleep = [this](qint64 ms) {
        // In slices, with the queued calls of the thread run in between, so a long delay
        // neither freezes the window nor outlives a stop.
        while (ms > 0 && !FTerminated) {
            const qint64 slice = std::min<qint64>(ms, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(slice));
            ms -= slice;
            if (QThread::currentThread() == QCoreApplication::instance()->thread())
                QCoreApplication::processEvents();
        }
    };
    FBackground = picture.DrawBackground();
}

TGIFPainter::~TGIFPainter()
{
    Stop();
    (void)Join();
}

int TGIFPainter::FrameDelay(int gceDelay, bool async)
{
    int delay = gceDelay != 0 ? gceDelay : DefaultDelay;
    delay = std::max(delay, MinimumDelay);
    if (!async)
        delay = std::min(delay, MaximumDelay);
    return delay;
}

qint64 TGIFPainter::WaitMs(int delay, int speed, qint64 elapsedMs, qint64 carryMs)
{
    if (speed < 1)
        return qint64(MaximumDelay) * DelayUnitMs;
    const double ms = (double(delay) * DelayUnitMs - double(elapsedMs - carryMs) / 2.0) * 100.0 / speed;
    return std::llround(ms);
}

void TGIFPainter::Start()
{
    if (FAsync)
        FThread = std::thread([this] { Execute(); });
    else
        Execute();
}

void TGIFPainter::Stop()
{
    FTerminated = true;
    {
        // Back at normal priority, a thread of low priority on a busy machine ends promptly.
        std::lock_guard lock(FThreadIdLock);
        if (FThreadId != 0)
            SetThreadPriority(FThreadId, tpNormal, FStartNice);
    }
    std::lock_guard lock(FWaitLock);
    FWake.notify_all();
}

void TGIFPainter::Restart()
{
    FRestart = true;
    std::lock_guard lock(FWaitLock);
    FWake.notify_all();
}

std::exception_ptr TGIFPainter::Join()
{
    if (FThread.joinable()) {
        // Painting calls wait on this thread; they run while we wait here.
        const bool ownerThread =
            FPicture.EventTarget() && QThread::currentThread() == FPicture.EventTarget()->thread();
        while (!FFinished) {
            if (ownerThread)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        FThread.join();
    }
    return FError;
}

void TGIFPainter::Synchronize(const std::function<void()>& call)
{
    if (FTerminated || !call)
        return;
    QObject* target = FPicture.EventTarget();
    if (!FAsync || !target || QThread::currentThread() == target->thread())
        call();
    else
        QMetaObject::invokeMethod(target, call, Qt::BlockingQueuedConnection);
}

void TGIFPainter::Fire(const TEvent& event)
{
    if (event)
        Synchronize([this, &event] { event(*this); });
}

void TGIFPainter::Execute()
{
    if (FAsync) {
        std::lock_guard lock(FThreadIdLock);
        FThreadId = gettid();
        FStartNice = getpriority(PRIO_PROCESS, 0);
        if (FPriority != tpNormal)
            SetThreadPriority(FThreadId, FPriority, FStartNice);
    }
    try {
        while (FRestart && !FTerminated) {
            FRestart = false;
            RunRound();
        }
    } catch (...) {
        FError = std::current_exception();
        FTerminated = true;
    }
    FActiveImage = -1;
    if (!FTerminated && OnEndPaint)
        Fire(OnEndPaint);
    {
        // The id may name another thread once this one has ended.
        std::lock_guard lock(FThreadIdLock);
        FThreadId = 0;
    }
    FFinished = true;
}
