#include "support/FullFileSystem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

FullFileSystem::FullFileSystem()
{
    const QByteArray path = QFile::encodeName(dir_.path());
    mounted_ = dir_.isValid() && ::mount("rbxfull", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                                         "size=256k,mode=0700") == 0;
    if (!mounted_) {
        mountError_ = qt_error_string(errno);
    }
}

FullFileSystem::~FullFileSystem()
{
    if (mounted_) {
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
}

bool FullFileSystem::Put(const QString& name, const QByteArray& bytes) const
{
    QFile file(FilePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           file.flush();
}

bool FullFileSystem::Fill() const
{
    const int fd = ::open(QFile::encodeName(FilePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    // Large pieces first, then single bytes for what is left of the last page.
    const QByteArray chunk(64 * 1024, 'f');
    while (::write(fd, chunk.constData(), static_cast<size_t>(chunk.size())) > 0) {
    }
    while (::write(fd, "f", 1) == 1) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}
