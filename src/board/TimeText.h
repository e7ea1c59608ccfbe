#pragma once

#include <QString>

class Dialogs;

// Durations as the board shows them, and back.

// Formats a count as "MM:SS" under an hour and as "H:MM:SS" from one hour on (hours without a
// leading zero). With the format "HH:MM:SSS" the count is tenths of a second and the last field is
// the tenths within the minute in three digits. A negative count reads as 0.
QString ConvertTime(int value, const QString& format);

// Reads a duration text back into seconds: no ":" gives 0; a leading ":" takes the rest as seconds;
// "M:S" and "H:M:S" are summed. A part that does not convert gives -1, and the first such failure
// of a run shows an error box and sets timeErrorShown, so later failures are silent.
int TimeTextToSeconds(const QString& text, Dialogs& dialogs, bool& timeErrorShown);
