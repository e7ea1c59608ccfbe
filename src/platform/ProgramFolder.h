#pragma once
// "Beside the program": where the options file, trace, play log, default set files,
// backups and exports live. Never changes the working directory.
#include <QString>

// The program folder with a trailing "/": $RALLYBOX_HOME when set; else the executable's
// folder when writable and not a system or installed folder; else the user's data folder
// ($XDG_DATA_HOME, or ~/.local/share) + "/Rallybox" (created when missing).
QString ProgramFolder();

// The same choice from explicit inputs (an empty text means "not set"; xdgDataHome counts only
// when absolute, as the desktop's rules say).
QString ResolveProgramFolder(const QString& rallyboxHome, const QString& executableFolder,
                             const QString& homeFolder, const QString& xdgDataHome = QString());

// The installed program's data folder (help files), found relative to the executable's folder,
// with a trailing "/": <prefix>/share/rallybox/ for <prefix>/bin.
QString InstalledDataFolder(const QString& executableFolder);
