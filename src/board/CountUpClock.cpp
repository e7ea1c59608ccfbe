#include "board/CountUpClock.h"

void CountUpClock::Start(qint64 nowMs)
{
    if (!running_) {
        running_ = true;
        startMs_ = nowMs;
    }
}

void CountUpClock::Stop(qint64 nowMs)
{
    if (running_) {
        baseMs_ = ElapsedMs(nowMs);
        running_ = false;
    }
}

void CountUpClock::Reset()
{
    baseMs_ = 0;
    startMs_ = 0;
}

qint64 CountUpClock::ElapsedMs(qint64 nowMs) const
{
    if (!running_ || nowMs < startMs_) {
        return baseMs_;
    }
    return baseMs_ + (nowMs - startMs_);
}
