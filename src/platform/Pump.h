#pragma once
// The busy waits that let clicks, keys and timers run call one pump, so tests can
// count and script what happens inside a wait.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <functional>

class EventPump
{
public:
    virtual ~EventPump() = default;
    // GUI thread only; may run any handler of the program before it returns.
    virtual void ProcessMessages() = 0;
    // As ProcessMessages, but when nothing is pending, sleeps until an event arrives or maxMs
    // pass: a wait polls its condition a few hundred times a second instead of spinning a core.
    // Without user input, clicks and keys stay queued for after the wait (paints and timers
    // still run).
    virtual void WaitForMessages(int maxMs, bool userInput)
    {
        (void)maxMs;
        (void)userInput;
        ProcessMessages();
    }
};

class QtEventPump final : public EventPump
{
public:
    void ProcessMessages() override { QCoreApplication::processEvents(); }
    void WaitForMessages(int maxMs, bool userInput) override
    {
        // The timer's own event ends the wait at the latest after maxMs.
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(maxMs < 1 ? 1 : maxMs);
        QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
        if (!userInput) {
            flags |= QEventLoop::ExcludeUserInputEvents;
        }
        QCoreApplication::processEvents(flags);
    }
};

// Counts the pumps and runs an optional step on each, standing in for the events a
// real pump would deliver.
class CountingEventPump final : public EventPump
{
public:
    void ProcessMessages() override
    {
        ++Count;
        if (OnPump) {
            OnPump(Count);
        }
    }
    void WaitForMessages(int maxMs, bool userInput) override
    {
        ++Waits;
        LastWaitMs = maxMs;
        LastWaitTookInput = userInput;
        ProcessMessages();
    }
    int Count = 0;
    int Waits = 0;
    int LastWaitMs = -1;
    bool LastWaitTookInput = true;
    std::function<void(int pumpNumber)> OnPump;
};
