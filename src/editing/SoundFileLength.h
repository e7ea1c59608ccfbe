#pragma once
// Measuring a sound file's length for the time shown on its button, through the audio engine.
// GUI thread; both calls block while the file is opened or measured.
#include "audio/Bass.h"
#include "board/SoundFileStream.h"

#include <QString>

#include <cstdint>

// The button time of the stream in whole seconds (halves to even). With the custom cue on
// ("Y") the cue start is taken off, or the length runs from start to end when an end is set.
// Cue positions are stereo bytes; a mono stream counts them halved.
int MeasuredSeconds(BassHandle stream, const QString& customCue, std::int32_t cueStart, std::int32_t cueEnd);
