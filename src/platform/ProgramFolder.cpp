#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString WithSlash(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

// A folder counts as writable only when a file can really be created there; the
// permission bits alone do not tell about read-only mounts.
bool CanWriteIn(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return false;
    }
    QTemporaryFile probe(WithSlash(folder) + QStringLiteral(".rallybox-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString ResolveProgramFolder(const QString& rallyboxHome, const QString& executableFolder,
                             const QString& homeFolder)
{
    if (!rallyboxHome.isEmpty()) {
        QDir().mkpath(rallyboxHome);
        return WithSlash(rallyboxHome);
    }
    if (CanWriteIn(executableFolder)) {
        return WithSlash(executableFolder);
    }
    const QString dataFolder = homeFolder + QStringLiteral("/.local/share/Rallybox");
    QDir().mkpath(dataFolder);
    return WithSlash(dataFolder);
}

QString ProgramFolder()
{
    const QString executableFolder =
        QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath() : QString();
    return ResolveProgramFolder(qEnvironmentVariable("RALLYBOX_HOME"), executableFolder, QDir::homePath());
}
