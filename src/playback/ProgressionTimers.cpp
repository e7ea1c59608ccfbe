#include "playback/ProgressionTimers.h"

#include "playback/DisplayTimerHandler.h"
#include "playback/ProgressionTimerHandler.h"

#include <QTimer>

#include <algorithm>

int TimerIntervalMs(int requestedMs)
{
    return std::max(MinimumTimerIntervalMs, requestedMs);
}

ProgressionTimers::ProgressionTimers(QTimer& progressionTimer, QTimer& displayTimer,
                                     ProgressionTimerHandler& progression, DisplayTimerHandler& display,
                                     QObject* parent)
    : QObject(parent), progressionTimer_(progressionTimer)
{
    connect(&progressionTimer, &QTimer::timeout, this,
            [this, &progression] { Run([&progression] { progression.ProgressionTimerAdvance(); }); });
    connect(&displayTimer, &QTimer::timeout, this,
            [this, &display] { Run([&display] { display.DisplayTimerAdvance(); }); });
}

void ProgressionTimers::StartProgression(int meterRateMs)
{
    SetMeterRate(meterRateMs);
    progressionTimer_.start();
}

void ProgressionTimers::SetMeterRate(int meterRateMs)
{
    progressionTimer_.setInterval(TimerIntervalMs(meterRateMs));
}

void ProgressionTimers::Run(const std::function<void()>& tick)
{
    if (Before) {
        Before();
    }
    tick();
    if (After) {
        After();
    }
}
