#pragma once
// Wall time and a millisecond tick come from one injectable source, so dated backups,
// clocks and fades can be stepped in tests.
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    QDate Today() const { return Now().date(); }
    // Monotonic milliseconds since an arbitrary start; never goes backwards.
    virtual qint64 TickCountMs() const = 0;
};

class SystemClock final : public Clock
{
public:
    SystemClock() { timer_.start(); }
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    qint64 TickCountMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

// Stands still until told to move; Advance moves the date-time and the tick together.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2024, 1, 1), QTime(12, 0)))
        : now_(std::move(start))
    {}
    QDateTime Now() const override { return now_; }
    qint64 TickCountMs() const override { return tickMs_; }
    void SetNow(const QDateTime& now) { now_ = now; }
    void SetToday(const QDate& day) { now_ = QDateTime(day, now_.time()); }
    void Advance(qint64 ms)
    {
        if (ms > 0) {
            now_ = now_.addMSecs(ms);
            tickMs_ += ms;
        }
    }

private:
    QDateTime now_;
    qint64 tickMs_ = 0;
};
