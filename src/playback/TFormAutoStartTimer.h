#pragma once
// "Automatic Start Timer": counts down to TimedStartTime each second on the program's clock and
// closes with 1 when the time has come or on Start Now (the caller then plays TimedStartButton
// through the play path); Cancel or Esc close with 2 and nothing plays.
#include <QDateTime>
#include <QDialog>

#include <functional>

class Board;
class Clock;
class QLabel;
class QPushButton;
class QTimer;
struct PlaybackState;
struct Selection;

struct AutoStartTimerContext
{
    PlaybackState& state;
    Board& board;
    Selection& selection;
    Clock& clock;
    // Whether times show on a 12-hour clock; the system's choice when empty.
    std::function<bool()> TwelveHourClock;
};

class TFormAutoStartTimer : public QDialog
{
    Q_OBJECT
public:
    TFormAutoStartTimer(const AutoStartTimerContext& context, QWidget* parent = nullptr);

    int ShowModal();
    void Open();

    // The activation: the start time, its moment and the cued button's caption.
    void load();
    // One tick of Timer1.
    void UpTime();
    void StartNowButtonClick();
    void CancelButtonClick();

    // The moment the sound starts (invalid without a start time).
    QDateTime StartMoment() const { return start_; }

    QLabel* lblStartTime = nullptr;
    QLabel* lblTimeCurrent = nullptr;
    QLabel* lblTimeRemaining = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* StartNowButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void reject() override;

private:
    AutoStartTimerContext ctx_;
    QDateTime start_;
    bool twelveHour_ = false;
};
