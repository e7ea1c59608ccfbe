#include "board/PlayLog.h"

#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QDir>

namespace {

const char* const LogFailureText =
    "Error in LogIt\r\rIf you are running more than one session of the program at the same time,\r"
    "logging can only be turned on in one of them.\rRallybox is turning logging off in this session.";

} // namespace

PlayLog::PlayLog(const QString& programFolder, Settings& settings, Tracer& tracer, Dialogs& dialogs)
    : settings_(settings), tracer_(tracer), dialogs_(dialogs),
      filePath_(QDir(programFolder).filePath(QStringLiteral("RallyboxLog.txt")))
{}

PlayLog::~PlayLog()
{
    Close();
}

QString PlayLog::NowText() const
{
    return tracer_.DateTimeText(tracer_.TimeSource().Now());
}

bool PlayLog::WriteLine(const QString& line)
{
    const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
    return file_.write(bytes) == bytes.size() && file_.flush();
}

bool PlayLog::OpenLog()
{
    playLogOpen_ = true;
    file_.setFileName(filePath_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    LogStartText = NowText() + QStringLiteral(" - ");
    LogTitle = QStringLiteral("Rallybox Log");
    LogPlayedPending = false;
    return WriteLine(LogStartText + LogTitle);
}

void PlayLog::LogIt(const QString& text)
{
    if (!settings_.LogFile)
        return;
    try {
        if (!playLogOpen_ && !OpenLog())
            return Fail();
        if (!LogPlayedPending) {
            // A blank text is never captured as a file name: it would overwrite the sound whose
            // entry is still pending.
            if (!text.trimmed().isEmpty()) {
                LogStartText = NowText() + QStringLiteral(" - ");
                LogSoundFile = text;
                tracer_.WriteTracer(QStringLiteral("LogIt Capture A - ") + LogTitle);
            } else if (!WriteLine(QStringLiteral(" "))) {
                return Fail();
            }
        }
        if (LogPlayedPending) {
            if (!WriteLine(LogStartText + QStringLiteral("Played Time = ") + PlayedTimeText +
                           QStringLiteral(" - ") + LogSoundFile))
                return Fail();
            LogPlayedPending = false;
            tracer_.WriteTracer(QStringLiteral("LogIt Write B"));
        }
    } catch (...) {
        Fail();
    }
}

void PlayLog::Fail()
{
    // Logging is off before the box shows, so a sound ending meanwhile does not fail again.
    settings_.LogFile = false;
    playLogOpen_ = false;
    if (file_.isOpen())
        file_.close();
    if (showIndicator_)
        showIndicator_(false);
    dialogs_.MessageDlg(QString::fromLatin1(LogFailureText), mtError, mbOK);
}

void PlayLog::Close()
{
    if (file_.isOpen())
        file_.close();
    playLogOpen_ = false;
}

void PlayLog::LoggingOnDisplayClick()
{
    settings_.LogFile = false;
    if (showIndicator_)
        showIndicator_(false);
    EndLog();
}

void PlayLog::EndLog()
{
    if (!playLogOpen_)
        return;
    try {
        playLogOpen_ = false;
        LogStartText = NowText() + QStringLiteral(" - ");
        LogTitle = QStringLiteral("End Log");
        const bool written = WriteLine(LogStartText + LogTitle) && WriteLine(QStringLiteral(" "));
        file_.close();
        if (!written)
            dialogs_.MessageDlg(QStringLiteral("Error in LoggingOnDisplayClick\r "), mtError, mbOK);
    } catch (...) {
        dialogs_.MessageDlg(QStringLiteral("Error in LoggingOnDisplayClick\r "), mtError, mbOK);
    }
}

bool PlayLog::ReleaseForShell()
{
    if (playLogOpen_) {
        Close();
        settings_.LogFile = true;
    }
    if (QFile::exists(filePath_))
        return true;
    dialogs_.MessageDlg(QStringLiteral("Log File Not Found"), mtWarning, mbOK);
    return false;
}

void PlayLog::DeleteLogFile()
{
    try {
        Close();
        if (dialogs_.MessageDlg(QStringLiteral("Do You Want to Delete the Log File?"), mtConfirmation,
                                mbYesNo) != mrYes)
            return;
        if (!QFile::exists(filePath_)) {
            dialogs_.MessageDlg(QStringLiteral("Log File Not Deleted because it was not found"),
                                mtInformation, mbOK);
        } else if (QFile::remove(filePath_)) {
            dialogs_.MessageDlg(QStringLiteral("Log File Deleted"), mtInformation, mbOK);
        } else {
            dialogs_.MessageDlg(QStringLiteral("Log File Not Deleted"), mtError, mbOK);
        }
    } catch (...) {
        dialogs_.MessageDlg(QStringLiteral("Error in DeleteLogFileClick\r "), mtError, mbOK);
    }
}
