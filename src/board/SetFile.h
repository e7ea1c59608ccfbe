#pragma once

#include <QString>

class Board;
class Dialogs;
class IniFile;
class Tracer;
struct Settings;

// Reads and writes the board's set file: the whole board (SaveSetFile, LoadSetFile) or only the
// button states (SaveActivityFile). The menu and toolbar commands call these and do the painting.
class SetFile
{
public:
    // programFolder is where "Default.set" and "newfile.set" live (with or without a trailing "/").
    // The personal title goes to and from settings.Personalization.
    SetFile(Board& board, Settings& settings, Dialogs& dialogs, Tracer& tracer, const QString& programFolder);

    // Writes the whole board to the board's SetFileName through a new INI object. True when the
    // file was written; BoardChanged is cleared only then. A failed write leaves the file on disk as
    // it was, shows "Error in SaveSetFile\r " and returns false. With exiting the INI object is freed.
    bool SaveSetFile(bool exiting = false);

    // Reads SetFileName (the program folder's "Default.set" when blank) into the board. A missing
    // file gives an empty board silently; an unreadable or binary one gives an empty board, a trace
    // line and "Error in LOADSETFILE\r " (false). A value that does not convert takes its key's
    // default with a trace line, and reading goes on.
    bool LoadSetFile();

    // Writes the button states alone back into the open set file: a state above 1 is written, and
    // so is a 1 over a stored higher state. BoardChanged is cleared once the file is written.
    // A set file that could not be read is left alone (false).
    bool SaveActivityFile(bool exiting = false);

    // The data side of the New commands: SetFileName becomes the program folder's "newfile.set",
    // which is loaded, and then the board is erased (volumes, loops and colours stay as loaded).
    bool NewSet();

    QString DefaultSetFileName() const;
    QString NewSetFileName() const;

private:
    void WritePage(IniFile& ini, int group, int page) const;
    void WriteButton(IniFile& ini, const QString& section, int group, int page, int button) const;
    void TraceBadValue(const QString& section, const QString& key, const QString& value);
    void ShowError(const QString& routine);

    Board& board_;
    Settings& settings_;
    Dialogs& dialogs_;
    Tracer& tracer_;
    QString programFolder_;
    // The INI object holds nothing of its file because the file could not be read; writing the
    // states alone into it would wipe the file.
    bool setIniUnreadable_ = false;
};
