#pragma once

#include <QString>

class Dialogs;
class Tracer;

// The text of an audio-library error code; any code outside the table reads
// "Unknown error (" + code + ")".
QString BassErrorText(int code);

// Reports an audio-library failure: the trace line and the modal error box naming the calling
// routine (context). Code 0 means no error and reports nothing.
void ReportBassError(int code, const QString& context, Tracer& tracer, Dialogs& dialogs);

// Reads the last error code with BASS_ErrorGetCode and reports it. Call right after an
// audio-library call that returned failure.
void BassErrorFunction(const QString& context, Tracer& tracer, Dialogs& dialogs);

// A failed call on a channel of the playing table that ended (or was freed, or was already
// paused) a moment ago, racing the operator's click or key: that channel is simply not playing
// any more. Such codes (5, 14, 24) are traced without a box; any other code is reported as
// BassErrorFunction does. Call right after the failed call, for calls on table channels only.
bool IsChannelRaceError(int code);
void ChannelErrorFunction(const QString& context, Tracer& tracer, Dialogs& dialogs);
