#include "board/OutputWatch.h"

#include "audio/Bass.h"
#include "board/BassErrorText.h"
#include "board/Tracer.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <sys/eventfd.h>

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
    const int notice = BassOutputLossNotice();
    if (notice < 0) {
        timer_->start(); // no notice to wait on: polled throughout
        return;
    }
    if (notifier_ == nullptr) {
        notifier_ = new QSocketNotifier(notice, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &OutputWatch::Noticed);
    }
    notifier_->setEnabled(true);
}

void OutputWatch::stop()
{
    timer_->stop();
    if (notifier_ != nullptr) {
        notifier_->setEnabled(false);
    }
}

void OutputWatch::Noticed()
{
    eventfd_t count = 0;
    eventfd_read(static_cast<int>(notifier_->socket()), &count);
    timer_->start();
    OutputWatchTimer();
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
    if (!waiting_ && notifier_ != nullptr && notifier_->isEnabled()) {
        timer_->stop(); // told and back (or nothing new): the next loss's notice wakes it
    }
}
