#pragma once
// The texts of a timed start. The start time is "HH:MM:00 " (hours with a leading blank below
// 10) with "AM" or "PM" after it on a 12-hour clock; it is built and read with these fixed
// patterns only, never with the locale's long time format (which may carry a time zone).
#include <QDateTime>
#include <QString>

// Whether the system shows times on a 12-hour clock (its short time format has a day-half marker).
bool SystemUsesTwelveHourClock();

QString BuildTimedStartTime(int hours, int minutes, bool twelveHour, bool pm);
// Seconds of the day the start time names; -1 when the text is not a start time.
int TimedStartSecondsOfDay(const QString& text);
// The next moment the start time names, counted from `now`: today, or tomorrow when that time has
// already gone by today. Invalid for a text that is not a start time.
QDateTime NextTimedStart(const QString& text, const QDateTime& now);
// The current time as the countdown shows it: "HH:mm:ss", or "h:mm:ss AM" on a 12-hour clock.
QString ClockText(const QTime& time, bool twelveHour);
// Remaining seconds as "MM:SS", with the hours and ":" in front only when there are any.
QString RemainingText(qint64 seconds);
