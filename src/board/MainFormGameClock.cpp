// The game clock and the stopwatch: two count-up displays on black panels of the main window,
// each shown or hidden from the Scoreboard menu. They count from the monotonic clock tick, so a
// late timer tick or a hidden panel never loses time.
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/TimeText.h"
#include "controls/ColorPanel.h"
#include "controls/ElidedLabel.h"
#include "platform/Clock.h"

#include "controls/GTSize32.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// A clock fills the height of the time row, at its right end.
constexpr int kPanelWidth = 180;
constexpr int kPanelHeight = 18;
constexpr int kTimeRowTop = 84;

QLabel* WhiteLabel(QWidget* host, const QString& name, const QString& text, const QRect& bounds)
{
    auto* label = new QLabel(text, host);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->setStyleSheet(QStringLiteral("color: white; background: black;"));
    return label;
}

TBitBtnWithColor* WhiteButton(QWidget* host, const QString& name, const QString& caption, const QRect& bounds)
{
    TBitBtnWithColor* button = NewColorButton(host);
    AsPushButton(button)->setObjectName(name);
    AsPushButton(button)->setText(caption);
    AsPushButton(button)->setGeometry(bounds);
    AsPushButton(button)->setFocusPolicy(Qt::NoFocus);
    SetFace(button, clWhite);
    return button;
}

} // namespace

void TForm1::BuildGameClocks(QWidget* host, const QRect& clockBounds, const QRect& timerBounds)
{
    auto build = [&](const QString& panelName, const QRect& bounds, const QString& caption,
                     const QString& timeName, const QString& initial, const QString& startName,
                     const QString& resetName, QLabel*& time, TBitBtnWithColor*& startStop,
                     TBitBtnWithColor*& reset) {
        auto* panel = new TColorPanel(host);
        panel->setObjectName(panelName);
        panel->setGeometry(bounds);
        panel->SetColor(clBlack);
        // Every text fits its place whole, also an hour into a game: fonts wider than the
        // desktop's are made to fit.
        QLabel* label = WhiteLabel(panel, panelName + QStringLiteral("Label"), caption, QRect(3, 1, 60, 16));
        FitFontToWidth(*label, QStringLiteral("Game Clock:"), 2);
        time = WhiteLabel(panel, timeName, initial, QRect(63, 1, 50, 16));
        time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FitFontToWidth(*time, QStringLiteral("0:00:000"), 2);
        startStop = WhiteButton(panel, startName, QStringLiteral("Start"), QRect(115, 1, 32, 16));
        reset = WhiteButton(panel, resetName, QStringLiteral("Reset"), QRect(147, 1, 32, 16));
        for (TBitBtnWithColor* button : {startStop, reset}) {
            FitFontToWidth(*AsPushButton(button), QStringLiteral("Reset"), 6);
        }
        panel->hide();
        return panel;
    };
    GameClockPanel = build(QStringLiteral("GameClockPanel"), clockBounds, QStringLiteral("Game Clock:"),
                           QStringLiteral("GameClockTime"), QStringLiteral("00:00"),
                           QStringLiteral("GameClockStartStopButton"), QStringLiteral("GameClockResetButton"),
                           GameClockTime, GameClockStartStopButton, GameClockResetButton);
    TimerPanel =
        build(QStringLiteral("TimerPanel"), timerBounds, QStringLiteral("Timer:"),
              QStringLiteral("TimerTime"), QStringLiteral("00:000"), QStringLiteral("TimerStartStopButton"),
              QStringLiteral("StopWatchResetButton"), TimerTime, TimerStartStopButton, StopWatchResetButton);
}

QRect TForm1::GameClockBounds(int designWidth, int row)
{
    // At the right end of the time row, the game clock last: the now-playing line gives up its
    // end to them while they are shown, and the group row keeps its page name, totals and
    // indicators. Hidden until the operator asks for one.
    return QRect(designWidth - (2 - row) * (kPanelWidth + 2), kTimeRowTop, kPanelWidth, kPanelHeight);
}

void TForm1::PlaceGameClocks()
{
    // The shown clocks close up to the right end; the now-playing line ends before them.
    const QRect row = GTForm1->DesignBounds(Panel55).value_or(Panel55->geometry());
    int left = row.x() + row.width();
    for (const auto& [panel, shown] : {std::pair<QWidget*, bool>{GameClockPanel, GameClockShown},
                                       std::pair<QWidget*, bool>{TimerPanel, TimerShown}}) {
        if (shown) {
            left -= kPanelWidth + 2;
            GTForm1->SetDesignBounds(panel, QRect(left, kTimeRowTop, kPanelWidth, kPanelHeight));
        }
    }
    const QRect line = GTForm1->DesignBounds(SoundPlaying).value_or(SoundPlaying->geometry());
    GTForm1->SetDesignBounds(SoundPlaying, QRect(line.x(), line.y(), std::max(0, left - 2 - line.x()), line.height()));
}

void TForm1::WireGameClocks()
{
    connect(AsPushButton(GameClockStartStopButton), &QPushButton::clicked, this,
            &TForm1::GameClockStartStopButtonClick);
    connect(AsPushButton(GameClockResetButton), &QPushButton::clicked, this,
            &TForm1::GameClockResetButtonClick);
    connect(AsPushButton(TimerStartStopButton), &QPushButton::clicked, this,
            &TForm1::TimerStartStopButtonClick);
    connect(AsPushButton(StopWatchResetButton), &QPushButton::clicked, this,
            &TForm1::StopWatchResetButtonClick);
    connect(SecondTimer, &QTimer::timeout, this, &TForm1::SecondTimerAdvance);
    connect(StopWatchTimer, &QTimer::timeout, this, &TForm1::StopWatchTimerAdvance);
    connect(HideUnhideGameClock1, &QAction::triggered, this, &TForm1::HideUnhideGameClock1Click);
    connect(HideUnhideTimer1, &QAction::triggered, this, &TForm1::HideUnhideTimer1Click);
}

void TForm1::HideUnhideGameClock1Click()
{
    GameClockPanel->setVisible(!GameClockShown);
    GameClockPanel->raise();
    GameClockShown = !GameClockShown;
    PlaceGameClocks();
}

void TForm1::HideUnhideTimer1Click()
{
    TimerPanel->setVisible(!TimerShown);
    TimerPanel->raise();
    TimerShown = !TimerShown;
    PlaceGameClocks();
}

void TForm1::GameClockStartStopButtonClick()
{
    const qint64 now = ctx_.clock.TickCountMs();
    // The second timer only moves the running clock: stopped, it would wake the window for nothing.
    if (GameClock.Running()) {
        GameClock.Stop(now);
        SecondTimer->stop();
        GameClockSeconds = static_cast<int>(GameClock.ElapsedMs(now) / 1000);
        AsPushButton(GameClockStartStopButton)->setText(QStringLiteral("Start"));
    } else {
        GameClock.Start(now);
        SecondTimer->start();
        AsPushButton(GameClockStartStopButton)->setText(QStringLiteral("Stop"));
    }
    GameClockRunning = GameClock.Running();
    AsPushButton(GameClockResetButton)->setEnabled(!GameClockRunning);
    GameClockTime->setText(ConvertTime(GameClockSeconds, QStringLiteral("HH:MM:SS")));
    FocusDummy();
}

void TForm1::GameClockResetButtonClick()
{
    if (GameClock.Running()) {
        return;
    }
    GameClock.Reset();
    GameClockSeconds = 0;
    GameClockTime->setText(ConvertTime(0, QStringLiteral("HH:MM:SS")));
    FocusDummy();
}

void TForm1::SecondTimerAdvance()
{
    if (!GameClock.Running()) {
        return;
    }
    GameClockSeconds = static_cast<int>(GameClock.ElapsedMs(ctx_.clock.TickCountMs()) / 1000);
    GameClockTime->setText(ConvertTime(GameClockSeconds, QStringLiteral("HH:MM:SS")));
}

void TForm1::TimerStartStopButtonClick()
{
    const qint64 now = ctx_.clock.TickCountMs();
    if (StopWatch.Running()) {
        StopWatch.Stop(now);
        StopWatchTimer->stop();
        StopWatchTenths = static_cast<int>(StopWatch.ElapsedMs(now) / 100);
        AsPushButton(TimerStartStopButton)->setText(QStringLiteral("Start"));
    } else {
        StopWatch.Start(now);
        StopWatchTimer->start();
        AsPushButton(TimerStartStopButton)->setText(QStringLiteral("Stop"));
    }
    StopWatchRunning = StopWatch.Running();
    AsPushButton(StopWatchResetButton)->setEnabled(!StopWatchRunning);
    TimerTime->setText(ConvertTime(StopWatchTenths, QStringLiteral("HH:MM:SSS")));
    FocusDummy();
}

void TForm1::StopWatchResetButtonClick()
{
    if (StopWatch.Running()) {
        return;
    }
    StopWatch.Reset();
    StopWatchTenths = 0;
    TimerTime->setText(ConvertTime(0, QStringLiteral("HH:MM:SSS")));
    FocusDummy();
}

void TForm1::StopWatchTimerAdvance()
{
    StopWatchTenths = static_cast<int>(StopWatch.ElapsedMs(ctx_.clock.TickCountMs()) / 100);
    TimerTime->setText(ConvertTime(StopWatchTenths, QStringLiteral("HH:MM:SSS")));
}
