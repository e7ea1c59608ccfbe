#pragma once
// Connects the main window's progression and display timers to their tick handlers and starts the
// progression timer at MeterRate.
#include <QObject>

class QTimer;
class DisplayTimerHandler;
class ProgressionTimerHandler;

// The meters' per-tick steps are tuned for ticks at least 15 ms apart; faster requests are
// raised to that, so a MeterRate of 1 moves the needles at the intended speed.
inline constexpr int MinimumTimerIntervalMs = 15;
int TimerIntervalMs(int requestedMs);

class ProgressionTimers final : public QObject
{
public:
    ProgressionTimers(QTimer& progressionTimer, QTimer& displayTimer, ProgressionTimerHandler& progression,
                      DisplayTimerHandler& display, QObject* parent = nullptr);

    // The progression timer runs from start to exit at this rate (milliseconds).
    void StartProgression(int meterRateMs);
    // Setup's new rate, taken at once by a running timer.
    void SetMeterRate(int meterRateMs);

private:
    QTimer& progressionTimer_;
};
