#pragma once
// "Timed Start Set": the hour and minute at which the popup target is to start by itself. OK
// builds TimedStartTime and closes with 1; Cancel or Esc empties it and closes with 2. A time that
// has already gone by today is taken as tomorrow's, and the window says so while it is entered.
#include <QDialog>

#include <functional>

class Clock;
class Dialogs;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct PlaybackState;

struct TimedStartContext
{
    PlaybackState& state;
    Clock& clock;
    Dialogs& dialogs;
    // Whether times show on a 12-hour clock; the system's choice when empty.
    std::function<bool()> TwelveHourClock;
};

class TTimedStartSet : public QDialog
{
    Q_OBJECT
public:
    TTimedStartSet(const TimedStartContext& context, QWidget* parent = nullptr);

    int ShowModal();
    void Open();

    void FormActivate();
    void TimeSetOKButtonClick();
    void TimeSetCancelButtonClick();
    bool TwelveHour() const { return twelveHour_; }

    QSpinBox* StartHours = nullptr;
    QSpinBox* StartMinutes = nullptr;
    QRadioButton* AMRadioButton = nullptr;
    QRadioButton* PMRadioButton = nullptr;
    QPushButton* TimeSetOKButton = nullptr;
    QPushButton* TimeSetCancelButton = nullptr;
    // "That time has passed today ..." while the entered time lies before now.
    QLabel* lblNextDay = nullptr;

protected:
    void reject() override;

private:
    QString EnteredTime() const;
    void ShowNextDayNote();

    TimedStartContext ctx_;
    bool twelveHour_ = false;
};
