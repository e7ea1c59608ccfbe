#include "board/Tracer.h"

#include "board/Settings.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QDateTime>
#include <QDir>

namespace {

// The locale's long time format without its time-zone field: the trace shows wall-clock time the
// way the desktop's own clock does ("1:02:03 PM", "13:02:03").
QString LongTimeFormat(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result.append(c);
    }
    return result.simplified();
}

} // namespace

Tracer::Tracer(const QString& programFolder, const Settings& settings, const Clock& clock, Dialogs& dialogs,
               const QLocale& locale)
    : settings_(settings), clock_(clock), dialogs_(dialogs), locale_(locale),
      filePath_(QDir(programFolder).filePath(QStringLiteral("Tracer.txt")))
{}

Tracer::~Tracer()
{
    Close();
}

QString Tracer::DateTimeText(const QDateTime& when) const
{
    return locale_.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale_.toString(when.time(), LongTimeFormat(locale_));
}

bool Tracer::Open()
{
    file_.setFileName(filePath_);
    // Each run's trace starts empty; a line written after the file was closed (a failure after
    // the exit closed it) is added to this run's trace instead of wiping it.
    const QIODevice::OpenMode mode = startedThisRun_ ? QIODevice::Append : QIODevice::Truncate;
    startedThisRun_ = true;
    return file_.open(QIODevice::WriteOnly | mode);
}

void Tracer::WriteTracer(const QString& message)
{
    if (!settings_.Tracer || failed_)
        return;
    try {
        bool ok = true;
        if (!tracerOpen_) {
            tracerOpen_ = true;
            ok = Open();
        }
        if (ok) {
            const QByteArray line =
                (DateTimeText(clock_.Now()) + QStringLiteral(" - ") + message + QStringLiteral("\r\n"))
                    .toUtf8();
            ok = file_.write(line) == line.size() && file_.flush();
        }
        if (ok)
            return;
    } catch (...) {
    }
    // Marked before the box: a tick or key handled while the box is up must not open a second one.
    failed_ = true;
    dialogs_.MessageDlg(QStringLiteral("Error in WriteTracer\r "), mtError, mbOK);
}

void Tracer::Close()
{
    if (file_.isOpen())
        file_.close();
    tracerOpen_ = false;
    failed_ = false;
}

void Tracer::DeleteTracerFile()
{
    try {
        Close();
        if (dialogs_.MessageDlg(QStringLiteral("Do You Want to Delete the Tracer File?"), mtConfirmation,
                                mbYesNo) != mrYes)
            return;
        if (!QFile::exists(filePath_)) {
            dialogs_.MessageDlg(QStringLiteral("Tracer File Not Deleted because it was not found"),
                                mtInformation, mbOK);
        } else if (QFile::remove(filePath_)) {
            dialogs_.MessageDlg(QStringLiteral("Tracer File Deleted"), mtInformation, mbOK);
        } else {
            dialogs_.MessageDlg(QStringLiteral("Tracer File Not Deleted"), mtError, mbOK);
        }
    } catch (...) {
        dialogs_.MessageDlg(QStringLiteral("Error in DeleteTracerFileClick\r "), mtError, mbOK);
    }
}
