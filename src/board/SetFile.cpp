#include "board/SetFile.h"

#include "board/Board.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"

#include <QDir>

SetFile::SetFile(Board& board, Settings& settings, Dialogs& dialogs, Tracer& tracer,
                 const QString& programFolder)
    : board_(board), settings_(settings), dialogs_(dialogs), tracer_(tracer), programFolder_(programFolder)
{}

QString SetFile::DefaultSetFileName() const
{
    return QDir(programFolder_).filePath(QStringLiteral("Default.set"));
}

QString SetFile::NewSetFileName() const
{
    return QDir(programFolder_).filePath(QStringLiteral("newfile.set"));
}

bool SetFile::NewSet()
{
    board_.SetFileName = NewSetFileName();
    const bool loaded = LoadSetFile();
    board_.EraseBoard();
    return loaded;
}

void SetFile::TraceBadValue(const QString& section, const QString& key, const QString& value)
{
    tracer_.WriteTracer(
        QStringLiteral("LoadSetFile - value \"%1\" of %2 in [%3] does not convert, default used")
            .arg(value, key, section));
}

void SetFile::ShowError(const QString& routine)
{
    dialogs_.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
}
