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
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            if (a.PageName[g][p] != b.PageName[g][p] || a.PageColor[g][p] != b.PageColor[g][p] ||
                a.PagePlay[g][p] != b.PagePlay[g][p] || a.RapidFire[g][p] != b.RapidFire[g][p] ||
                a.PageShuffle[g][p] != b.PageShuffle[g][p]) {
                return false;
            }
            for (int n = 1; n <= ButtonCount; ++n) {
                if (!(a.Cell(g, p, n) == b.Cell(g, p, n))) {
                    return false;
                }
            }
        }
    }
    return true;
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
    if (read) {
        // The writer normalises what it writes (line breaks, caption lengths, state codes), so
        // the first written file is the fixed point: reading and writing it again must give the
        // same board and the same bytes.
        board.SetFileName = copy;
        if (!setFile.SaveSetFile()) {
            std::abort();
        }
        const QByteArray first = ReadAll(copy);
        Board again;
        Settings settingsAgain;
        SetFile reader(again, settingsAgain, dialogs, tracer, Folder());
        again.SetFileName = copy;
        if (!reader.LoadSetFile() || !reader.SaveSetFile()) {
            std::abort();
        }
        Board third;
        SetFile thirdReader(third, settingsAgain, dialogs, tracer, Folder());
        third.SetFileName = copy;
        if (ReadAll(copy) != first || !thirdReader.LoadSetFile() || !SameBoard(again, third)) {
            std::abort();
        }
    }
    // The state write goes into the fuzzed file itself (a no-op when it could not be read).
    board.SetFileName = path;
    (void)setFile.LoadSetFile();
    board.ButtonState[1][1][1] = bstPlayed;
    (void)setFile.SaveActivityFile(true);
    QFile::remove(path);
    QFile::remove(copy);
    return 0;
}
