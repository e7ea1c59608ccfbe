// links: rbx_board
// Writes the full board (10 groups x 18 pages x 48 buttons, every field filled) as a set file, for
// the whole-process start-up measurement (bench/startup.sh). Argument: the set file's path.
#include "FullBoard.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <set file>\n", argv[0]);
        return 2;
    }
    const QFileInfo target(QString::fromLocal8Bit(argv[1]));
    const QString folder = target.absolutePath() + QStringLiteral("/");
    Settings settings;
    ManualClock clock;
    ScriptedDialogs dialogs;
    Tracer tracer(folder, settings, clock, dialogs);
    Board board;
    SetFile setFile(board, settings, dialogs, tracer, folder);
    board.SetFileName = target.absoluteFilePath();
    FillFullBoard(board);
    return setFile.SaveSetFile() ? 0 : 1;
}
