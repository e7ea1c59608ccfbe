#pragma once
// A folder of its own for one fuzzing process, for the files a target writes and reads back.
#include <QDir>
#include <QString>

#include <unistd.h>

inline QString MakeFuzzFolder(const char* target)
{
    const QString path =
        QDir::tempPath() + QStringLiteral("/rbx-fuzz-%1-%2/").arg(QLatin1String(target)).arg(getpid());
    QDir().mkpath(path);
    return path;
}
