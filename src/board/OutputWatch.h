#pragma once

#include <QObject>

#include <functional>

class Dialogs;
class QTimer;
class Tracer;

// Tells the operator once when the output loses its sound server, and traces its return. The
// engine goes on in silence meanwhile and connects again by itself; this only watches, from a
// timer of the main window, so nothing of it runs on the engine's threads.
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
    std::function<bool()> playbackWaiting_;
    QTimer* timer_;
    int toldLosses_ = 0;
    bool waiting_ = false; // a loss was told and the server has not come back yet
    bool telling_ = false; // the box is up: the timer's nested ticks must not show another
};
