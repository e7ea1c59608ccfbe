#include "playback/ProgressionTimers.h"

#include "playback/DisplayTimerHandler.h"
#include "playback/ProgressionTimerHandler.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

int TimerIntervalMs(int meterRateMs, double refreshHz)
{
    const double hz = refreshHz > 0 ? std::min(refreshHz, MaximumDrawHz) : MaximumDrawHz;
    return std::max(meterRateMs, static_cast<int>(std::ceil(1000.0 / hz)));
}

double ScreenRefreshHz()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->refreshRate() : MaximumDrawHz;
}

ProgressionTimers::ProgressionTimers(QTimer& progressionTimer, QTimer& displayTimer,
                                     ProgressionTimerHandler& progression, DisplayTimerHandler& display,
                                     QObject* parent)
    : QObject(parent), progressionTimer_(progressionTimer), progression_(progression), refreshHz_(ScreenRefreshHz())
{
    dutyTimer_.setSingleShot(true);
    dutyTimer_.setTimerType(Qt::PreciseTimer);
    connect(&progressionTimer, &QTimer::timeout, this, [this] { DrawTick(); });
    connect(&dutyTimer_, &QTimer::timeout, this, [this] { DutyTick(); });
    connect(&displayTimer, &QTimer::timeout, this, [this, &display] {
        display.DisplayTimerAdvance();
        // The remaining time just moved on: an automatic fade due now starts within MeterRate,
        // from the duty timer's own tick (its wait must not hold up the display timer's blinking).
        if (progressionTimer_.isActive() && progression_.NeedsTicks()) {
            ArmDuty(0);
        }
    });
}

void ProgressionTimers::StartProgression(int meterRateMs)
{
    SetMeterRate(meterRateMs);
    Wake();
}

void ProgressionTimers::SetMeterRate(int meterRateMs)
{
    meterRateMs_ = std::max(1, meterRateMs);
    progressionTimer_.setInterval(TimerIntervalMs(meterRateMs_, refreshHz_));
}

void ProgressionTimers::Wake()
{
    if (!progressionTimer_.isActive()) {
        progressionTimer_.start();
    }
}

void ProgressionTimers::DrawTick()
{
    progression_.ProgressionTimerAdvance();
    if (!progression_.NeedsTicks()) {
        // Nothing plays and the needles rest: no tick until the next play wakes them.
        progressionTimer_.stop();
        dutyTimer_.stop();
        return;
    }
    overdueChecks_ = 0;
    const int dueMs = progression_.MsToNextDuty();
    if (dueMs >= 0 && dueMs < progressionTimer_.interval()) {
        ArmDuty(dueMs);
    }
}

void ProgressionTimers::DutyTick()
{
    // A window closing for exit stops the progression timer: its duties wait with it.
    if (!progressionTimer_.isActive()) {
        return;
    }
    progression_.ProgressionDutyAdvance();
    const int dueMs = progression_.MsToNextDuty();
    if (dueMs < 0 || dueMs >= progressionTimer_.interval()) {
        return; // done, or the next drawn tick comes first
    }
    // Still due (the channel ends a little after its position says): checked again every MeterRate
    // until the next drawn tick would have come.
    if (dueMs == 0 && ++overdueChecks_ * meterRateMs_ >= progressionTimer_.interval()) {
        return;
    }
    ArmDuty(std::max(dueMs, meterRateMs_));
}

void ProgressionTimers::ArmDuty(int dueMs)
{
    dutyTimer_.start(dueMs);
}
