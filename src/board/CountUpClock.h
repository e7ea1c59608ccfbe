#pragma once
// A count-up display's arithmetic: time runs from a monotonic millisecond tick, and a stop adds the
// exact milliseconds of the run to the base, so neither a late tick nor a start and stop loses time.
#include <QtGlobal>

class CountUpClock
{
public:
    bool Running() const { return running_; }
    void Start(qint64 nowMs);
    void Stop(qint64 nowMs);
    void Reset();
    // Milliseconds counted up to nowMs.
    qint64 ElapsedMs(qint64 nowMs) const;

private:
    bool running_ = false;
    qint64 startMs_ = 0;
    qint64 baseMs_ = 0;
};
