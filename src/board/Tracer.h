#pragma once

#include <QFile>
#include <QLocale>
#include <QString>

class QDateTime;
class Clock;
class Dialogs;
struct Settings;

// The diagnostic trace: program folder + "Tracer.txt", one line per event, emptied at the first
// line of each run and kept open until exit. It writes only while the `Tracer` setting is on.
class Tracer
{
public:
    // programFolder is the folder the file lives in (with or without a trailing separator).
    // The locale gives the short date and long time formats of the line; tests pass a fixed one.
    Tracer(const QString& programFolder, const Settings& settings, const Clock& clock, Dialogs& dialogs,
           const QLocale& locale = QLocale::system());
    ~Tracer();

    Tracer(const Tracer&) = delete;
    Tracer& operator=(const Tracer&) = delete;

    // Appends one line: short date, blank, long time, " - ", message, CR LF.
    void WriteTracer(const QString& message);

    // Closes the file when open (exit, "Delete Tracer File"); a later line of the same run reopens
    // it and adds to it (a deleted file starts anew).
    void Close();

    // `TracerOpen`: the file has been opened in this run and not closed since.
    bool TracerOpen() const { return tracerOpen_; }

    // The trace file's full path.
    QString FilePath() const { return filePath_; }

    // Date and time as the trace and the play log write them: short date, blank, long time.
    QString DateTimeText(const QDateTime& when) const;

    const QLocale& Locale() const { return locale_; }
    const Clock& TimeSource() const { return clock_; }

    // "Delete Tracer File": closes the file, asks, deletes and reports, all through the dialogs.
    void DeleteTracerFile();

private:
    bool Open();

    const Settings& settings_;
    const Clock& clock_;
    Dialogs& dialogs_;
    QLocale locale_;
    QString filePath_;
    QFile file_;
    bool tracerOpen_ = false;
    // The file was emptied for this run already.
    bool startedThisRun_ = false;
    // Set after a write failure so that a broken trace file shows one box, not one per line.
    // Cleared by Close(), so "Delete Tracer File" gives the trace another chance.
    bool failed_ = false;
};
