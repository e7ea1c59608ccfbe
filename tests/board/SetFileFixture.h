#pragma once

#include "board/Board.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// A program folder of its own per test, with the trace on so that trace lines can be checked.
class SetFileFixture : public ::testing::Test
{
protected:
    SetFileFixture()
    {
        settings.Tracer = true;
        tracer = std::make_unique<Tracer>(folder.path(), settings, clock, dialogs, QLocale::c());
        setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder.path());
    }

    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Lines of a set file given in LF form, written with CR LF as the program writes them.
    static QByteArray Crlf(const char* text) { return QByteArray(text).replace("\n", "\r\n"); }

    // Writes the given set-file text and loads it into the fixture's board.
    bool LoadText(const char* text)
    {
        board.SetFileName = PathOf("load.set");
        WriteBytes(board.SetFileName, Crlf(text));
        return setFile->LoadSetFile();
    }

    QString TraceText() const { return QString::fromUtf8(ReadBytes(PathOf("Tracer.txt"))); }

    QTemporaryDir folder;
    Settings settings;
    ManualClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<Tracer> tracer;
    Board board;
    std::unique_ptr<SetFile> setFile;
};
