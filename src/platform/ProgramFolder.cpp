#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#ifndef RBX_DATA_FROM_BIN
#define RBX_DATA_FROM_BIN "../share/rallybox"
#endif

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

// The operating system's and the packages' folders, and any folder the program was installed
// into (its data folder lies beside it): writable there as root, but an operator's options,
// traces and backups do not belong there.
bool IsSystemOrInstalledFolder(const QString& folder)
{
    const QString path = WithSlash(folder);
    for (const char* root : {"/usr/", "/bin/", "/sbin/", "/lib/", "/lib64/", "/opt/"}) {
        if (path.startsWith(QLatin1String(root))) {
            return true;
        }
    }
    return QFileInfo(InstalledDataFolder(folder)).isDir();
}

} // namespace

QString ResolveProgramFolder(const QString& rallyboxHome, const QString& executableFolder,
                             const QString& homeFolder, const QString& xdgDataHome)
{
    if (!rallyboxHome.isEmpty()) {
        QDir().mkpath(rallyboxHome);
        return WithSlash(rallyboxHome);
    }
    if (!executableFolder.isEmpty() && !IsSystemOrInstalledFolder(executableFolder) &&
        CanWriteIn(executableFolder)) {
        return WithSlash(executableFolder);
    }
    const QString dataHome =
        QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : homeFolder + QStringLiteral("/.local/share");
    const QString dataFolder = dataHome + QStringLiteral("/Rallybox");
    QDir().mkpath(dataFolder);
    return WithSlash(dataFolder);
}

QString InstalledDataFolder(const QString& executableFolder)
{
    return WithSlash(executableFolder + QLatin1Char('/') + QStringLiteral(RBX_DATA_FROM_BIN));
}

QString ProgramFolder()
{
    const QString executableFolder =
        QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath() : QString();
    return ResolveProgramFolder(qEnvironmentVariable("RALLYBOX_HOME"), executableFolder, QDir::homePath(),
                                qEnvironmentVariable("XDG_DATA_HOME"));
}
