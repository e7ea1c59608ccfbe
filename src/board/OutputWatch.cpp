#include "board/OutputWatch.h"

#include "audio/Bass.h"
#include "board/BassErrorText.h"
#include "board/Tracer.h"

#include <QApplication>
#include <QTimer>

#include <utility>

OutputWatch::OutputWatch(Tracer& tracer, Dialogs& dialogs, std::function<bool()> waiting, QObject* parent)
    : QObject(parent), tracer_(tracer), dialogs_(dialogs), playbackWaiting_(std::move(waiting)),
      timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("OutputWatchTimer"));
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &OutputWatch::OutputWatchTimer);
}

void OutputWatch::start()
{
    toldLosses_ = BassOutputLosses();
    timer_->start();
}

void OutputWatch::stop()
{
    timer_->stop();
}

void OutputWatch::OutputWatchTimer()
{
    // A box of its own on top of another modal window would stack two boxes: the operator is told
    // once that window is closed.
    if (telling_ || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    // Told after the wait: a fade must end on time, also with the server away.
    if (playbackWaiting_ && playbackWaiting_()) {
        return;
    }
    const int losses = BassOutputLosses();
    if (losses > toldLosses_) {
        // Counted before the box: its modal loop runs this timer again.
        toldLosses_ = losses;
        waiting_ = true;
        telling_ = true;
        ReportBassError(BassError::Driver, QStringLiteral("OutputWatchTimer - Sound Server Lost"), tracer_,
                        dialogs_);
        telling_ = false;
        return;
    }
    if (waiting_ && BassOutputConnected()) {
        waiting_ = false;
        tracer_.WriteTracer(QStringLiteral("OutputWatchTimer - Sound Server Connected Again"));
    }
}
