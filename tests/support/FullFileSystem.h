#pragma once
// A small tmpfs of its own for one test, filled to the last byte on request, to see what a writer
// does on a really full disk. Mounting needs the right to mount; where the system refuses it the
// test skips with the reason (RBX_SKIP_UNLESS_MOUNTED).
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class FullFileSystem
{
public:
    FullFileSystem();
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const QString& MountError() const { return mountError_; }
    // The mounted folder, with a trailing '/' (as a program folder is given).
    QString Folder() const { return dir_.path() + QLatin1Char('/'); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }

    // Writes a file while there is still room (false when it cannot).
    bool Put(const QString& name, const QByteArray& bytes) const;
    // Takes every byte that is left, so that the next write to any file fails for want of space.
    bool Fill() const;

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString mountError_;
};

#define RBX_SKIP_UNLESS_MOUNTED(fs)                                                                          \
    if (!(fs).Mounted())                                                                                     \
    GTEST_SKIP() << "cannot mount a small tmpfs to fill (" << (fs).MountError().toStdString()                \
                 << "): the full-disk case needs the right to mount"
