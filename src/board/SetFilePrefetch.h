#pragma once
// The set file named on the command line, read and parsed on a thread of its own from the first
// moments of the process, while the application object and the windows are built; its pages are
// read into a board of their own there too. The create step's load takes the parsed file and the
// pages when it names the same file, unchanged since it was read; otherwise it reads the file
// itself, as it always did.
#include "board/SetFilePages.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class Board;
class IniFile;

namespace SetFilePrefetch {

// What reading a set file gave: Missing (no such file), Read, or Unreadable (it cannot be opened
// or read, or it holds NUL bytes: no INI text).
enum class ReadOutcome
{
    Missing,
    Read,
    Unreadable
};

// Reads fileName whole into bytes.
ReadOutcome ReadSetFileBytes(const QString& fileName, QByteArray& bytes);

// Starts reading and parsing fileName on a thread of its own; a file read before and not taken
// is dropped. GUI thread, as the calls below; it may run before the application object exists,
// and Qt then takes the calling thread as its main thread.
void Start(const QString& fileName);

// Waits until the started read is done; the file stays to be taken.
void WaitForRead();

// The pages of the file read ahead (only their tables hold anything) and the values of them
// that did not convert, in reading order.
struct ReadAhead
{
    std::unique_ptr<Board> pages;
    std::vector<BadSetValue> badValues;
};

// The file Start read, parsed (named fileName, ready for the board), when it was started for
// fileName and the file's size and time are still those it read; null otherwise. Waits for the
// thread. Only the first call after a start can take the file. With `ahead` given, the pages read
// from it go there too (pages stays null when the file is returned without them).
std::unique_ptr<IniFile> Take(const QString& fileName, ReadOutcome& outcome, ReadAhead* ahead = nullptr);

} // namespace SetFilePrefetch
