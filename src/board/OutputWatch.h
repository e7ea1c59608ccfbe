#pragma once

#include <QObject>

#include <functional>

class Dialogs;
class QSocketNotifier;
class QTimer;
class Tracer;

// Tells the operator once when the output loses its sound server, and traces its return. The
// engine goes on in silence meanwhile and connects again by itself; this only watches, in the
// main window's thread, so nothing of it runs on the engine's threads. The engine's loss notice
// wakes it; its timer runs only from a loss until the server is back and the operator was told,
// so an idle window is not woken for it.
class OutputWatch : public QObject
{
public:
    static constexpr int kIntervalMs = 250;

    // waiting: true while a wait of the playback (a fade, a stop's delay) runs under the present
    // handler; the box then waits for its end, as the box's modal loop would hold the wait until
    // the operator closes it.
    OutputWatch(Tracer& tracer, Dialogs& dialogs, std::function<bool()> waiting, QObject* parent);
    void start();
    void stop();
    // The timer's handler (GUI thread).
    void OutputWatchTimer();

private:
    Tracer& tracer_;
    Dialogs& dialogs_;
    void Noticed();

    std::function<bool()> playbackWaiting_;
    QTimer* timer_;
    QSocketNotifier* notifier_ = nullptr;
    int toldLosses_ = 0;
    bool waiting_ = false; // a loss was told and the server has not come back yet
    bool telling_ = false; // the box is up: the timer's nested ticks must not show another
};
