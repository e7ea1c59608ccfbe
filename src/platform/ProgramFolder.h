#pragma once
// "Beside the program": where the options file, trace, play log, default set files,
// backups and exports live. Never changes the working directory.
#include <QString>

// The program folder with a trailing "/": $RALLYBOX_HOME when set; else the executable's
// folder when writable; else ~/.local/share/Rallybox (created when missing).
QString ProgramFolder();

// The same choice from explicit inputs (an empty text means "not set").
QString ResolveProgramFolder(const QString& rallyboxHome, const QString& executableFolder,
                             const QString& homeFolder);
