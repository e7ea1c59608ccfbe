#include "playback/TTimedStartSet.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "playback/PlaybackState.h"
#include "playback/TimedStartTime.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

TTimedStartSet::TTimedStartSet(const TimedStartContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("TimedStartSet"));
    setWindowTitle(QStringLiteral("Timed Start Set"));
    resize(300, 170);
    auto* title = new QLabel(QStringLiteral("Set Timed Start Time:"), this);
    title->move(12, 10);
    auto* hoursLabel = new QLabel(QStringLiteral("HOURS:"), this);
    hoursLabel->move(12, 40);
    StartHours = new QSpinBox(this);
    StartHours->setObjectName(QStringLiteral("StartHours"));
    StartHours->setGeometry(80, 36, 60, 24);
    StartHours->setRange(0, 12);
    auto* minutesLabel = new QLabel(QStringLiteral("MINUTES:"), this);
    minutesLabel->move(150, 40);
    StartMinutes = new QSpinBox(this);
    StartMinutes->setObjectName(QStringLiteral("StartMinutes"));
    StartMinutes->setGeometry(220, 36, 60, 24);
    StartMinutes->setRange(0, 59);
    AMRadioButton = new QRadioButton(QStringLiteral("A.M."), this);
    AMRadioButton->setObjectName(QStringLiteral("AMRadioButton"));
    AMRadioButton->setGeometry(80, 66, 60, 20);
    PMRadioButton = new QRadioButton(QStringLiteral("P.M."), this);
    PMRadioButton->setObjectName(QStringLiteral("PMRadioButton"));
    PMRadioButton->setGeometry(150, 66, 60, 20);
    PMRadioButton->setChecked(true);
    lblNextDay = new QLabel(this);
    lblNextDay->setObjectName(QStringLiteral("lblNextDay"));
    lblNextDay->setGeometry(12, 92, 280, 32);
    lblNextDay->setWordWrap(true);
    TimeSetOKButton = new QPushButton(QStringLiteral("OK"), this);
    TimeSetOKButton->setObjectName(QStringLiteral("TimeSetOKButton"));
    TimeSetOKButton->setGeometry(60, 132, 80, 25);
    TimeSetCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    TimeSetCancelButton->setObjectName(QStringLiteral("TimeSetCancelButton"));
    TimeSetCancelButton->setGeometry(160, 132, 80, 25);
    TimeSetCancelButton->setAutoDefault(false);
    TimeSetOKButton->setDefault(true);
    connect(TimeSetOKButton, &QPushButton::clicked, this, [this] { TimeSetOKButtonClick(); });
    connect(TimeSetCancelButton, &QPushButton::clicked, this, [this] { TimeSetCancelButtonClick(); });
    connect(StartHours, &QSpinBox::valueChanged, this, [this] { ShowNextDayNote(); });
    connect(StartMinutes, &QSpinBox::valueChanged, this, [this] { ShowNextDayNote(); });
    connect(PMRadioButton, &QRadioButton::toggled, this, [this] { ShowNextDayNote(); });
}

int TTimedStartSet::ShowModal()
{
    FormActivate();
    return exec();
}

void TTimedStartSet::Open()
{
    FormActivate();
    QDialog::open();
}

void TTimedStartSet::FormActivate()
{
    twelveHour_ = ctx_.TwelveHourClock ? ctx_.TwelveHourClock() : SystemUsesTwelveHourClock();
    AMRadioButton->setVisible(twelveHour_);
    PMRadioButton->setVisible(twelveHour_);
    // A 24-hour clock runs from 0 to 23.
    StartHours->setMaximum(twelveHour_ ? 12 : 23);
    ShowNextDayNote();
}

QString TTimedStartSet::EnteredTime() const
{
    return BuildTimedStartTime(StartHours->value(), StartMinutes->value(), twelveHour_,
                               PMRadioButton->isChecked());
}

void TTimedStartSet::ShowNextDayNote()
{
    const QDateTime now = ctx_.clock.Now();
    const QDateTime start = NextTimedStart(EnteredTime(), now);
    const bool tomorrow = start.isValid() && start.date() > now.date();
    lblNextDay->setText(
        tomorrow ? QStringLiteral("That time has passed today: the sound will start tomorrow.") : QString());
}

void TTimedStartSet::TimeSetOKButtonClick()
{
    if (StartHours->value() == 0 && StartMinutes->value() == 0) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Time Values are not valid"), mtError, mbOK);
        return;
    }
    // The time may have gone by since the fields last changed: the operator is told before the
    // sound is set for tomorrow, and a second OK confirms it.
    const bool toldBefore = !lblNextDay->text().isEmpty();
    ShowNextDayNote();
    if (!toldBefore && !lblNextDay->text().isEmpty()) {
        return;
    }
    ctx_.state.TimedStartTime = EnteredTime();
    done(1);
}

void TTimedStartSet::TimeSetCancelButtonClick()
{
    ctx_.state.TimedStartTime.clear();
    done(2);
}

void TTimedStartSet::reject()
{
    TimeSetCancelButtonClick();
}
