#pragma once
// Dated backups of the set file: at exit the set file is copied to
// program folder + "RBXBackups/Backup-yyyy-mm-dd.set", and of the last 90 days only the
// ten newest backups are kept.
#include <QDate>
#include <QString>
#include <functional>

class Board;
class Clock;
class Dialogs;
class Tracer;

class Backups
{
public:
    // programFolder with or without a trailing "/"; "today" comes from the clock.
    Backups(const QString& programFolder, const Clock& clock, Tracer& tracer, Dialogs& dialogs);

    // Program folder + "RBXBackups" (no trailing separator).
    QString BackupFolder() const;
    // "Backup-" + yyyy-mm-dd + ".set".
    static QString BackupBaseName(const QDate& day);
    QString BackupFileName(const QDate& day) const;

    // Copies the set file to today's backup, replacing an earlier backup of the same day;
    // the backups folder is created when missing. True when the copy was made. A copy that
    // cannot be made (the set file was never saved, say) is not reported, and an earlier
    // backup of the day then stays as it was.
    bool SaveBackup(const QString& setFileName);

    // Within today and the 89 days before it, keeps the ten newest backups and deletes the
    // others; older files are never touched.
    bool PurgeBackups();

private:
    QString programFolder_;
    const Clock& clock_;
    Tracer& tracer_;
    Dialogs& dialogs_;
};

constexpr int BackupWindowDays = 90;
constexpr int BackupsKept = 10;

// Clears the board before a backup is opened: page names and flags, every cell's texts,
// custom-cue flag, state 1 and cue points (volumes, loops and colours stay). The main
// window passes clearSlotDisplay to paint its 48 slots teal, empty the memos and hide the
// sound buttons. The set file's name is left as it was.
bool BackupSetFileSetup(Board& board, Dialogs& dialogs, const std::function<void()>& clearSlotDisplay = {});
