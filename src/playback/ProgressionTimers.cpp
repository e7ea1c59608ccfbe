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
            [&progression] { progression.ProgressionTimerAdvance(); });
    connect(&displayTimer, &QTimer::timeout, this, [&display] { display.DisplayTimerAdvance(); });
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
