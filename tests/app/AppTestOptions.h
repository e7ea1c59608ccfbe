#pragma once
// The program's options for a test: a temporary program folder, scripted dialogs, a manual clock,
// the engine on its manual clock in place of the device, and no halt or shut-down window.
#include "app/RallyboxApp.h"
#include "audio/EngineManual.h"

inline RallyboxOptions ManualClockAppOptions(const QString& folder, const QStringList& parameters,
                                             Dialogs& dialogs, Clock& clock)
{
    RallyboxOptions options;
    options.ProgramFolder = folder;
    options.Parameters = parameters;
    options.dialogs = &dialogs;
    options.clock = &clock;
    options.InitOutput = [](int, std::uint32_t freq, std::uint32_t flags) {
        return EngineInitManual(freq, flags);
    };
    options.Halt = [](int) {};
    options.ShowShutDownWindow = false;
    return options;
}
