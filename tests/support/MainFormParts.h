#pragma once
// What a main window stands on in a test or a benchmark: the board, the settings, the program's
// files and services on a program folder, with scripted dialogs, a manual clock and the audio
// engine on its manual clock.
#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/Backups.h"
#include "board/Board.h"
#include "board/MainFormContext.h"
#include "board/OptionsFile.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/GTSize32Shared.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "platform/Random.h"
#include "platform/ScriptedDialogs.h"

#include <QString>
#include <QStringList>

#include <memory>

struct MainFormParts
{
    // The trace, play log, options file, set file and backups of `folder`.
    void BuildFiles()
    {
        tracer = std::make_unique<Tracer>(folder, settings, clock, dialogs);
        playLog = std::make_unique<PlayLog>(folder, settings, *tracer, dialogs);
        optionsFile = std::make_unique<OptionsFile>(folder, settings, *tracer, dialogs);
        setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder);
        backups = std::make_unique<Backups>(folder, clock, *tracer, dialogs);
    }

    // The files again, fresh, and the main window's context over them, for a start with
    // `parameters` on its command line. The output opens on the engine's manual clock; halts,
    // shut-downs, terminations and shell calls do nothing until the caller sets its own.
    void BuildContext(const QStringList& parameters)
    {
        BuildFiles();
        context = std::make_unique<MainFormContext>(
            MainFormContext{folder,     parameters,   board,    selection, settings, *setFile, *optionsFile,
                            *backups,   *tracer,      *playLog, dialogs,   clock,    pump,     random,
                            clipboards, scalerShared, {},       {},        {},       {},       {},       {}});
        context->InitOutput = [](int, std::uint32_t freq, std::uint32_t flags) {
            BASS_Free();
            return EngineInitManual(freq, flags);
        };
        context->Halt = [](int) {};
        context->ShowShutDown = [] {};
        context->Terminate = [] {};
        context->ShellExecute = [](const QString&, const QString&) { return true; };
    }

    QString folder;
    Board board;
    Selection selection;
    Settings settings;
    ManualClock clock;
    CountingEventPump pump;
    SeededRandom random{7};
    ScriptedDialogs dialogs;
    InternalClipboards clipboards;
    GTScalerShared scalerShared;
    std::unique_ptr<Tracer> tracer;
    std::unique_ptr<PlayLog> playLog;
    std::unique_ptr<OptionsFile> optionsFile;
    std::unique_ptr<SetFile> setFile;
    std::unique_ptr<Backups> backups;
    std::unique_ptr<MainFormContext> context;
};
