#pragma once
// Opening a sound file for measuring its length, shared by the commands that add sounds and the
// sound-button editor. GUI thread; the call blocks while the file is opened.
#include "audio/Bass.h"

#include <QString>

// Opens a decoding stream on the file by the last three letters of its name, upper-cased: "WMA"
// and "LAC" take their own openers, any other the standard one. 0 when it cannot be opened
// (BASS_ErrorGetCode tells why).
BassHandle OpenStreamForLength(const QString& path);
