#include "playback/TFormAutoStartTimer.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "platform/Clock.h"
#include "playback/PlaybackState.h"
#include "playback/TimedStartTime.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(12, y, 336, 20);
    return label;
}

// Seconds from the clock's current second to the start: the clock shows whole seconds, so the
// countdown is their difference (a truncated difference of the exact times reads one second
// short, and "00:00" for the whole last second).
qint64 SecondsFromClockTo(const QDateTime& now, const QDateTime& start)
{
    return now.addMSecs(-now.time().msec()).secsTo(start);
}

} // namespace

TFormAutoStartTimer::TFormAutoStartTimer(const AutoStartTimerContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("FormAutoStartTimer"));
    setWindowTitle(QStringLiteral("Automatic Start Timer"));
    resize(360, 200);
    AddLabel(this, QStringLiteral("Heading"), QStringLiteral("Automatic Timed Start has been Activated!"),
             10);
    Label1 = AddLabel(this, QStringLiteral("Label1"), QString(), 36);
    lblStartTime = AddLabel(this, QStringLiteral("lblStartTime"), QString(), 62);
    lblTimeCurrent = AddLabel(this, QStringLiteral("lblTimeCurrent"), QString(), 86);
    lblTimeRemaining = AddLabel(this, QStringLiteral("lblTimeRemaining"), QString(), 110);
    StartNowButton = new QPushButton(QStringLiteral("Start Now"), this);
    StartNowButton->setObjectName(QStringLiteral("StartNowButton"));
    StartNowButton->setGeometry(80, 150, 90, 25);
    StartNowButton->setAutoDefault(false);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(190, 150, 90, 25);
    CancelButton->setAutoDefault(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { UpTime(); });
    connect(StartNowButton, &QPushButton::clicked, this, [this] { StartNowButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    // Only a shown countdown ticks.
    connect(this, &QDialog::finished, Timer1, &QTimer::stop);
}

int TFormAutoStartTimer::ShowModal()
{
    load();
    Timer1->start();
    return exec();
}

void TFormAutoStartTimer::Open()
{
    load();
    Timer1->start();
    QDialog::open();
}

void TFormAutoStartTimer::load()
{
    twelveHour_ = ctx_.TwelveHourClock ? ctx_.TwelveHourClock() : SystemUsesTwelveHourClock();
    const QString& text = ctx_.state.TimedStartTime;
    lblStartTime->setText(text);
    start_ = text.isEmpty() ? QDateTime() : NextTimedStart(text, ctx_.clock.Now());
    const int g = ctx_.selection.CurrentGroup;
    const int p = ctx_.selection.CurrentPage;
    const int b = ctx_.state.TimedStartButton;
    const QString caption = Board::IsValidAddress(g, p, b) ? ctx_.board.ButtonCaption[g][p][b] : QString();
    Label1->setText(QStringLiteral("Sound Button (") + caption + QStringLiteral(") is cued"));
    const QDateTime now = ctx_.clock.Now();
    lblTimeCurrent->setText(ClockText(now.time(), twelveHour_));
    lblTimeRemaining->setText(start_.isValid() ? RemainingText(SecondsFromClockTo(now, start_)) : QString());
}

void TFormAutoStartTimer::UpTime()
{
    const QDateTime now = ctx_.clock.Now();
    lblTimeCurrent->setText(ClockText(now.time(), twelveHour_));
    if (ctx_.state.TimedStartTime.isEmpty() || !start_.isValid()) {
        return;
    }
    // Counting to a moment rather than comparing clock faces is right across noon and midnight;
    // the first tick in the start second starts the sound.
    const qint64 remaining = SecondsFromClockTo(now, start_);
    if (remaining <= 0) {
        done(1);
        return;
    }
    lblTimeRemaining->setText(RemainingText(remaining));
}

void TFormAutoStartTimer::StartNowButtonClick()
{
    done(1);
}

void TFormAutoStartTimer::CancelButtonClick()
{
    done(2);
}

void TFormAutoStartTimer::reject()
{
    CancelButtonClick();
}
