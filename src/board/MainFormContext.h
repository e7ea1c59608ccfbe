#pragma once
// What the main window is given: the process-wide objects it reads and writes (created once by
// the application, or fresh by each test) and the few process-level actions it may ask for.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class Backups;
class Board;
class Clock;
class Dialogs;
class EventPump;
class PlayLog;
class SeededRandom;
class OptionsFile;
class SetFile;
class Tracer;
struct GTScalerShared;
struct Selection;
struct Settings;

// The sound and page clipboards as the exit sequence sees them: a full flag, a paste counter and
// the text that names the content in the warning.
struct InternalClipboards
{
    bool SoundClipboardFull = false;
    int SoundClipboardPastes = 0;
    QString SoundClipboardCaption;
    bool PageClipboardFull = false;
    int PageClipboardPastes = 0;
    QString PageClipboardPageName;

    void Empty() { *this = InternalClipboards{}; }
};

struct MainFormContext
{
    // Folder of the options file, trace, play log, default set files and backups, with a
    // trailing "/".
    QString ProgramFolder;
    // The command-line parameters, program name excluded.
    QStringList Parameters;

    Board& board;
    Selection& selection;
    Settings& settings;
    SetFile& setFile;
    OptionsFile& optionsFile;
    Backups& backups;
    Tracer& tracer;
    PlayLog& playLog;
    Dialogs& dialogs;
    Clock& clock;
    EventPump& pump;
    SeededRandom& random;
    InternalClipboards& clipboards;
    // Flags the form scalers of all windows share.
    GTScalerShared& scalerShared;

    // Opens the output device; the program passes BASS_Init, tests a device of their choice.
    std::function<bool(int device, std::uint32_t freq, std::uint32_t flags)> InitOutput;
    // Ends the process at once after a fatal start-up message (the program exits with the code).
    std::function<void(int exitCode)> Halt;
    // Shows the shut-down window modally at the end of the exit sequence.
    std::function<void()> ShowShutDown;
    // Ends the application's message loop after the exit sequence.
    std::function<void()> Terminate;
    // Opens or prints a file through the desktop ("open" or "print"); true when it was handed over.
    std::function<bool(const QString& verb, const QString& fileName)> ShellExecute;
    // Where the help files are looked for after the program folder, in order: beside the
    // executable, then the installed program's data folder (each with a trailing "/").
    QStringList HelpFolders;
};
