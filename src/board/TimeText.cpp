#include "board/TimeText.h"

#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <climits>

namespace {

QString TwoOrMoreDigits(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

// One field of a time text; false when it is not an integer.
bool ConvertPart(const QString& part, int& value)
{
    return IniFile::TryParseInteger(part.trimmed(), value);
}

} // namespace

QString ConvertTime(int value, const QString& format)
{
    const bool tenths = format == QLatin1String("HH:MM:SSS");
    const int perMinute = tenths ? 600 : 60;
    const int perHour = perMinute * 60;
    const int lastWidth = tenths ? 3 : 2;
    // A negative duration can only come from a damaged time; show it as nothing played.
    if (value < 0) {
        value = 0;
    }
    const QString last = TwoOrMoreDigits(value % perMinute, lastWidth);
    if (value < perMinute) {
        return QStringLiteral("00:") + last;
    }
    if (value < perHour) {
        return TwoOrMoreDigits(value / perMinute, 2) + u':' + last;
    }
    return QString::number(value / perHour) + u':' + TwoOrMoreDigits((value % perHour) / perMinute, 2) +
           u':' + last;
}

int TimeTextToSeconds(const QString& text, Dialogs& dialogs, bool& timeErrorShown)
{
    if (!text.contains(u':')) {
        return 0;
    }
    const QStringList parts = text.split(u':');
    bool ok = true;
    long long seconds = 0;
    int a = 0;
    int b = 0;
    int c = 0;
    if (text.startsWith(u':')) {
        ok = ConvertPart(text.mid(1), a);
        seconds = a;
    } else if (parts.size() == 2) {
        ok = ConvertPart(parts[0], a) && ConvertPart(parts[1], b);
        seconds = 60LL * a + b;
    } else if (parts.size() == 3) {
        ok = ConvertPart(parts[0], a) && ConvertPart(parts[1], b) && ConvertPart(parts[2], c);
        seconds = 3600LL * a + 60LL * b + c;
    } else {
        ok = false;
    }
    // A sum beyond an int is as unusable as a text that does not convert.
    if (ok && (seconds < INT_MIN || seconds > INT_MAX)) {
        ok = false;
    }
    if (!ok) {
        if (!timeErrorShown) {
            timeErrorShown = true;
            dialogs.MessageDlg(
                QStringLiteral("There is an error in one of the sound buttons time display\r "), mtError,
                mbOK);
        }
        return -1;
    }
    return static_cast<int>(seconds);
}
