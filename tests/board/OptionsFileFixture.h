#pragma once

#include "board/OptionsFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A program folder of its own per test, the trace on, scripted dialogs.
class OptionsFileFixture : public ::testing::Test
{
protected:
    OptionsFileFixture()
    {
        traceSettings.Tracer = true;
        tracer = std::make_unique<Tracer>(folder.path(), traceSettings, clock, dialogs, QLocale::c());
        options = std::make_unique<OptionsFile>(folder.path(), settings, *tracer, dialogs);
    }

    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void WriteOptionsText(const char* lines)
    {
        QFile file(PathOf("RBX.inf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[Main]\r\n") + QByteArray(lines).replace("\n", "\r\n"));
    }

    // Reads the options file into a fresh settings object.
    Settings ReadBack()
    {
        Settings fresh;
        OptionsFile reader(folder.path(), fresh, *tracer, dialogs);
        reader.ReadOptions();
        return fresh;
    }

    QString TraceText() const { return QString::fromUtf8(ReadBytes(PathOf("Tracer.txt"))); }

    QTemporaryDir folder;
    Settings traceSettings;
    Settings settings;
    ManualClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<Tracer> tracer;
    std::unique_ptr<OptionsFile> options;
};
