// Feeds arbitrary bytes to the set-file reader as a set file, then writes the board and reads
// and writes it again: after the writer's one normalisation every value must survive, and
// nothing may crash, hang, leak or overflow. The activity write over the same bytes runs too.
#include "FuzzFolder.h"

#include "board/Board.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
bool SameBoard(const Board& a, const Board& b)
{
    // Table by table: a cell-by-cell comparison through copies costs more than the reading.
    return a.PageName == b.PageName && a.PageColor == b.PageColor && a.PagePlay == b.PagePlay &&
           a.RapidFire == b.RapidFire && a.PageShuffle == b.PageShuffle &&
           a.ButtonCaption == b.ButtonCaption && a.ButtonFile == b.ButtonFile &&
           a.ButtonState == b.ButtonState && a.ButtonTime == b.ButtonTime &&
           a.ButtonHotKey == b.ButtonHotKey && a.ButtonHotKeyInfo == b.ButtonHotKeyInfo &&
           a.ButtonNote == b.ButtonNote && a.ButtonVolume == b.ButtonVolume && a.ButtonLoop == b.ButtonLoop &&
           a.ButtonCustomCue == b.ButtonCustomCue && a.ButtonCueStart == b.ButtonCueStart &&
           a.ButtonCueEnd == b.ButtonCueEnd && a.ButtonCustomColor == b.ButtonCustomColor;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString& Folder()
{
    static const QString folder = MakeFuzzFolder("setfile");
    return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Folder() + QStringLiteral("Fuzz.set");
    const QString copy = Folder() + QStringLiteral("Copy.set");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    Settings settings;
    ManualClock clock;
    ScriptedDialogs dialogs;
    Tracer tracer(Folder(), settings, clock, dialogs);

    Board board;
    SetFile setFile(board, settings, dialogs, tracer, Folder());
    board.SetFileName = path;
    const bool read = setFile.LoadSetFile();
    // The state write goes into the fuzzed file itself (a no-op when it could not be read); the
    // board read from it is what the round trip below starts from either way.
    board.ButtonState[1][1][1] = bstPlayed;
    (void)setFile.SaveActivityFile(true);
    if (read) {
        // The writer normalises what it writes (line breaks, caption lengths, state codes), so
        // the first written file is the fixed point: reading and writing it again must give the
        // same board and the same bytes.
        board.SetFileName = copy;
        if (!setFile.SaveSetFile()) {
            FuzzFinding();
        }
        const QByteArray first = ReadAll(copy);
        Board again;
        Settings settingsAgain;
        SetFile reader(again, settingsAgain, dialogs, tracer, Folder());
        again.SetFileName = copy;
        if (!reader.LoadSetFile() || !reader.SaveSetFile()) {
            FuzzFinding();
        }
        // The first board, done with, reads the fixed point for the comparison (a fresh one
        // would cost as much as the reading).
        if (ReadAll(copy) != first || !setFile.LoadSetFile() || !SameBoard(again, board)) {
            FuzzFinding();
        }
    }
    QFile::remove(path);
    QFile::remove(copy);
    return 0;
}
