#include "platform/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A set file reached through a link is replaced where it lies, so the link stays a link.
QString LinkTarget(const QString& fileName)
{
    QString target = fileName;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink()) {
            break;
        }
        target = info.symLinkTarget();
    }
    return target;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Opens a new file beside the target: created here, so no one else's file is overwritten.
int CreateBeside(const QString& target, QByteArray& tempName)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempName = QFile::encodeName(target) + ".tmp" +
                   QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The rename's own entry reaches the disk with the folder's sync; a file system that cannot
// sync a folder still has the new file in place, so this is not a failure.
void SyncFolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool ReplaceFile(const QString& fileName, const QByteArray& bytes, QString* error)
{
    const auto fail = [error](int code) {
        if (error) {
            *error = qt_error_string(code);
        }
        return false;
    };
    if (fileName.isEmpty()) {
        return fail(ENOENT);
    }
    const QByteArray target = QFile::encodeName(LinkTarget(fileName));
    QByteArray tempName;
    const int fd = CreateBeside(QFile::decodeName(target), tempName);
    if (fd < 0) {
        return fail(errno);
    }
    struct stat old = {};
    // The new file takes the old one's permissions; a new name keeps what the umask gives.
    const bool ok = (::stat(target.constData(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                    WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int code = errno;
    // close() can be where a network file system first reports a failed write.
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed) {
        const int reason = ok ? errno : code;
        ::unlink(tempName.constData());
        return fail(reason);
    }
    if (::rename(tempName.constData(), target.constData()) != 0) {
        const int reason = errno;
        ::unlink(tempName.constData());
        return fail(reason);
    }
    SyncFolderOf(target);
    return true;
}
