#pragma once
// The time shown on a sound file's button, from its length as the engine measured it (see
// SoundLengthFollower for measuring without holding the window). GUI thread.
#include "audio/Bass.h"
#include "board/SoundFileStream.h"

#include <QString>

#include <cstdint>

// The button time in whole seconds (halves to even) of the stream whose length is lengthBytes
// (0 when negative, the engine having none). With the custom cue on ("Y") the cue start is taken
// off, or the length runs from start to end when an end is set. Cue positions are stereo bytes; a
// mono stream counts them halved.
int MeasuredSeconds(BassHandle stream, std::int64_t lengthBytes, const QString& customCue, std::int32_t cueStart,
                    std::int32_t cueEnd);
