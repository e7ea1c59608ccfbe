#pragma once
// Opening a sound file outside the play paths: for measuring its length (the commands that add
// sounds, the sound-button editor) and for the editors' own playing. GUI thread; while the file's
// open goes on in the background (slow storage) the call waits with the window answering.
#include "audio/Bass.h"

#include <QString>

// Opens a decoding stream on the file by the last three letters of its name, upper-cased: "WMA"
// and "LAC" take their own openers, any other the standard one. 0 when it cannot be opened
// (BASS_ErrorGetCode tells why).
BassHandle OpenStreamForLength(const QString& path);
// The same with the stream's own flags.
BassHandle OpenFileStreamWaiting(const QString& path, std::uint32_t flags);
