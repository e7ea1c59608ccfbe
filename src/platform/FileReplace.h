#pragma once
// The one way the program replaces a small file of its own (set file, options, page library,
// lineup, roster, backups, exports). The bytes go to a new file beside the old one; every write,
// the sync to disk and the close are checked, and only then is the new file renamed over the
// old one. Any failure removes the new file and leaves the old one byte for byte as it was.
// (Qt's QSaveFile is not used: its commit reports success after a buffered write that failed
// for want of space, and renames the empty file over the old one.)
#include <QByteArray>
#include <QString>

// False when the file could not be replaced; error then holds the system's reason.
// Any thread; blocks on the disk.
bool ReplaceFile(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);
