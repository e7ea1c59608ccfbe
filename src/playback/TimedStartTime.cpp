#include "playback/TimedStartTime.h"

#include <QLocale>

namespace {
constexpr int SecondsPerDay = 24 * 60 * 60;
}

bool SystemUsesTwelveHourClock()
{
    return QLocale::system().timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

QString BuildTimedStartTime(int hours, int minutes, bool twelveHour, bool pm)
{
    QString text =
        QStringLiteral("%1:%2:00 ").arg(hours, 2, 10, QLatin1Char(' ')).arg(minutes, 2, 10, QLatin1Char('0'));
    if (twelveHour) {
        text += pm ? QStringLiteral("PM") : QStringLiteral("AM");
    }
    return text;
}

int TimedStartSecondsOfDay(const QString& text)
{
    if (text.size() < 8 || text[2] != QLatin1Char(':') || text[5] != QLatin1Char(':')) {
        return -1;
    }
    bool okH = false;
    bool okM = false;
    bool okS = false;
    int hours = text.mid(0, 2).trimmed().toInt(&okH);
    const int minutes = text.mid(3, 2).toInt(&okM);
    const int seconds = text.mid(6, 2).toInt(&okS);
    const QString marker = text.mid(9, 2);
    if (!okH || !okM || !okS || minutes > 59 || seconds > 59 || hours < 0) {
        return -1;
    }
    if (marker == QLatin1String("AM") || marker == QLatin1String("PM")) {
        if (hours > 12) {
            return -1;
        }
        // 12 AM is midnight and 12 PM noon.
        hours = hours % 12 + (marker == QLatin1String("PM") ? 12 : 0);
    } else if (!marker.trimmed().isEmpty() || hours > 23) {
        return -1;
    }
    return (hours * 60 + minutes) * 60 + seconds;
}

QDateTime NextTimedStart(const QString& text, const QDateTime& now)
{
    const int secondsOfDay = TimedStartSecondsOfDay(text);
    if (secondsOfDay < 0 || secondsOfDay >= SecondsPerDay) {
        return {};
    }
    QDateTime start(now.date(), QTime(0, 0).addSecs(secondsOfDay));
    if (start < now.addMSecs(-now.time().msec())) {
        start = start.addDays(1);
    }
    return start;
}

QString ClockText(const QTime& time, bool twelveHour)
{
    return QLocale::c().toString(time,
                                 twelveHour ? QStringLiteral("h:mm:ss AP") : QStringLiteral("HH:mm:ss"));
}

QString RemainingText(qint64 seconds)
{
    if (seconds < 0) {
        seconds = 0;
    }
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const qint64 secs = seconds % 60;
    QString text = hours > 0 ? QString::number(hours) + QLatin1Char(':') : QString();
    return text +
           QStringLiteral("%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(secs, 2, 10, QLatin1Char('0'));
}
