#pragma once
// A folder of its own for one fuzzing process, for the files a target writes and reads back. It
// lives in memory (the shared-memory file system, where the system has one), so no input costs
// a disk write, and it goes when the process ends: at exit, before a finding's abort, and, for a
// process the sanitizers or a time-out ended, at the next start of the same target.
#include <QDir>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace FuzzFolderDetail {
inline QString& Made()
{
    static QString made;
    return made;
}

inline void RemoveFoldersOfEndedRuns(const QString& base, const QString& prefix)
{
    const QStringList names = QDir(base).entryList({prefix + QLatin1Char('*')}, QDir::Dirs);
    for (const QString& name : names) {
        bool isNumber = false;
        const pid_t pid = static_cast<pid_t>(name.mid(prefix.size()).toInt(&isNumber));
        if (isNumber && pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) {
            QDir(base + QLatin1Char('/') + name).removeRecursively();
        }
    }
}
} // namespace FuzzFolderDetail

inline QString MakeFuzzFolder(const char* target)
{
    QString& made = FuzzFolderDetail::Made();
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString prefix = QStringLiteral("rbx-fuzz-%1-").arg(QLatin1String(target));
    FuzzFolderDetail::RemoveFoldersOfEndedRuns(base, prefix);
    made = base + QLatin1Char('/') + prefix + QString::number(getpid()) + QLatin1Char('/');
    QDir().mkpath(made);
    std::atexit([] { QDir(FuzzFolderDetail::Made()).removeRecursively(); });
    return made;
}

// A finding: the folder goes first, since an abort runs no exit handlers.
[[noreturn]] inline void FuzzFinding()
{
    if (!FuzzFolderDetail::Made().isEmpty()) {
        QDir(FuzzFolderDetail::Made()).removeRecursively();
    }
    std::abort();
}
