#pragma once
// The busy waits that let clicks, keys and timers run call one pump, so tests can
// count and script what happens inside a wait.
#include <QCoreApplication>
#include <functional>

class EventPump
{
public:
    virtual ~EventPump() = default;
    // GUI thread only; may run any handler of the program before it returns.
    virtual void ProcessMessages() = 0;
};

class QtEventPump final : public EventPump
{
public:
    void ProcessMessages() override { QCoreApplication::processEvents(); }
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
    int Count = 0;
    std::function<void(int pumpNumber)> OnPump;
};
