#include "board/Backups.h"

#include "board/Board.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileReplace.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

namespace {

// Copies through a new file and a rename, so a copy that fails half way (a full disk) never
// replaces the day's earlier backup with a broken one.
bool CopyReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = in.readAll();
    return in.error() == QFileDevice::NoError && ReplaceFile(target, bytes);
}

} // namespace

Backups::Backups(const QString& programFolder, const Clock& clock, Tracer& tracer, Dialogs& dialogs)
    : programFolder_(programFolder.endsWith(QLatin1Char('/')) ? programFolder
                                                              : programFolder + QLatin1Char('/')),
      clock_(clock), tracer_(tracer), dialogs_(dialogs)
{}

QString Backups::BackupFolder() const
{
    return programFolder_ + QStringLiteral("RBXBackups");
}

QString Backups::BackupBaseName(const QDate& day)
{
    return QStringLiteral("Backup-") + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".set");
}

QString Backups::BackupFileName(const QDate& day) const
{
    return BackupFolder() + QLatin1Char('/') + BackupBaseName(day);
}

bool Backups::SaveBackup(const QString& setFileName)
{
    try {
        tracer_.WriteTracer(QStringLiteral("Save Backup"));
        const QString target = BackupFileName(clock_.Today());
        if (!QDir(BackupFolder()).exists()) {
            QDir(programFolder_).mkdir(QStringLiteral("RBXBackups"));
        }
        if (setFileName.trimmed().isEmpty()) {
            return false;
        }
        // A set file that is not there or holds nothing is no backup: copying it would make an
        // empty backup, or replace today's good one with nothing.
        const QFileInfo source(setFileName);
        if (!source.isFile() || source.size() == 0) {
            tracer_.WriteTracer(QStringLiteral("Save Backup - no set file to back up: ") + setFileName);
            return false;
        }
        return CopyReplacing(setFileName, target);
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in SaveBackup\r "), mtError, mbOK);
        return false;
    }
}

bool Backups::PurgeBackups()
{
    try {
        QDate day = clock_.Today();
        int found = 0;
        for (int step = 0; step < BackupWindowDays; ++step) {
            const QString name = BackupFileName(day);
            if (QFile::exists(name)) {
                ++found;
                if (found > BackupsKept) {
                    QFile::remove(name);
                }
            }
            day = day.addDays(-1);
        }
        return true;
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in PurgeBackups\r "), mtError, mbOK);
        return false;
    }
}

bool BackupSetFileSetup(Board& board, Dialogs& dialogs, const std::function<void()>& clearSlotDisplay)
{
    try {
        board.EraseBoard();
        if (clearSlotDisplay) {
            clearSlotDisplay();
        }
        return true;
    } catch (const std::exception&) {
        dialogs.MessageDlg(QStringLiteral("Error in BackupSetFileSetup\r "), mtError, mbOK);
        return false;
    }
}
