#pragma once
// A folder of its own for one fuzzing process, for the files a target writes and reads back. It
// lives in memory (the shared-memory file system, where the system has one), so no input costs
// a disk write, and it goes when the process ends.
#include <QDir>
#include <QString>

#include <cstdlib>
#include <unistd.h>

inline QString MakeFuzzFolder(const char* target)
{
    static QString made;
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    made = base + QStringLiteral("/rbx-fuzz-%1-%2/").arg(QLatin1String(target)).arg(getpid());
    QDir().mkpath(made);
    std::atexit([] { QDir(made).removeRecursively(); });
    return made;
}
