#pragma once
// Connects the main window's progression and display timers to their tick handlers. The
// progression timer draws the meters and the progress bar no faster than the display shows them
// (its refresh rate, at most 60 Hz) and only while a sound plays, is paused or the needles still
// fall; it is woken by each play. The duties that MeterRate times (the custom end, the end of the
// sound and the play list or Loop after it, the automatic fade when the display tick has brought
// the remaining time to its start) are met within MeterRate by a second, precise timer armed for
// the moment they fall due, so no tick runs faster than the display just to look for them.
#include <QObject>
#include <QTimer>

class DisplayTimerHandler;
class ProgressionTimerHandler;

// The meters' per-tick steps are tuned for ticks at least 15 ms apart, which the display's frame
// (never under 1000/60 ms) always is.
inline constexpr double MaximumDrawHz = 60.0;
// The drawn tick's interval: MeterRate, raised to one frame of a display refreshing at refreshHz
// (capped at MaximumDrawHz; an unknown rate counts as the cap).
int TimerIntervalMs(int meterRateMs, double refreshHz = MaximumDrawHz);
// The refresh rate of the screen the program opens on, where the platform tells it.
double ScreenRefreshHz();

class ProgressionTimers final : public QObject
{
public:
    ProgressionTimers(QTimer& progressionTimer, QTimer& displayTimer, ProgressionTimerHandler& progression,
                      DisplayTimerHandler& display, QObject* parent = nullptr);

    // Takes the rate (milliseconds) and wakes the ticks.
    void StartProgression(int meterRateMs);
    // Setup's new rate, taken at once by a running timer.
    void SetMeterRate(int meterRateMs);
    // A sound was started: the ticks run until it has ended and the needles rest.
    void Wake();
    const QTimer& DutyTimer() const { return dutyTimer_; }

private:
    void DrawTick();
    void DutyTick();
    void ArmDuty(int dueMs);

    QTimer& progressionTimer_;
    ProgressionTimerHandler& progression_;
    QTimer dutyTimer_;
    int meterRateMs_ = 1;
    double refreshHz_ = MaximumDrawHz;
    int overdueChecks_ = 0; // duty checks since the duty fell due, bounded by one frame's worth
};
