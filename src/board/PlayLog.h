#pragma once

#include <QFile>
#include <QString>

#include <functional>

class Dialogs;
class Tracer;
struct Settings;

// The play log, program folder + "RallyboxLog.txt": a header line per run, then one line per played
// sound (start date and time, the played time and the file). It writes only while the `LogFile`
// setting is on and stays open, appending, from the first logged sound of a run until exit.
class PlayLog
{
public:
    // settings.LogFile is switched off here when the file cannot be written.
    PlayLog(const QString& programFolder, Settings& settings, Tracer& tracer, Dialogs& dialogs);
    ~PlayLog();

    PlayLog(const PlayLog&) = delete;
    PlayLog& operator=(const PlayLog&) = delete;

    // One step of the log: a file name captures the start of a sound; with `LogPlayedPending` set
    // the pending entry is written. A single blank with nothing pending writes a blank line.
    void LogIt(const QString& text);

    // `PlayLogOpen`: the log file has been opened in this run and not closed since.
    bool PlayLogOpen() const { return playLogOpen_; }

    // Exit: closes the file when open.
    void Close();

    // A click on the "Logging On" indicator: logging off, indicator hidden, and when the log is
    // open the "End Log" line and a blank line are written before it closes.
    void LoggingOnDisplayClick();

    // Ends an open log: the "End Log" line and a blank line, then the file closes. Nothing when
    // the log is not open. Setup calls it when logging is switched off there.
    void EndLog();

    // View and print: closes the log so the shell can read it (logging goes on and the next sound
    // reopens it with a new header). Returns whether the file exists; when it does not,
    // "Log File Not Found" has been shown.
    bool ReleaseForShell();

    // "Delete Log File": closes the log, asks, deletes and reports; `LogFile` keeps its value.
    void DeleteLogFile();

    QString FilePath() const { return filePath_; }

    // Shows or hides the main window's "Logging On" indicator; hidden when logging fails.
    void SetLoggingOnDisplay(std::function<void(bool visible)> show) { showIndicator_ = std::move(show); }

    QString LogStartText;
    QString LogTitle;
    QString LogSoundFile;
    // The elapsed "MM:SS" of the sound just ended, written by the display timer.
    QString PlayedTimeText;
    // Set by the stop and end paths just before they call LogIt: the next call writes the entry.
    bool LogPlayedPending = false;

private:
    bool OpenLog();
    bool WriteLine(const QString& line);
    QString NowText() const;
    void Fail();

    Settings& settings_;
    Tracer& tracer_;
    Dialogs& dialogs_;
    QString filePath_;
    QFile file_;
    bool playLogOpen_ = false;
    std::function<void(bool)> showIndicator_;
};
