#pragma once

#include "audio/PcmSource.h"

#include <cstdint>
#include <string>
#include <vector>

// Sound files made at test time with the ffmpeg and sox command-line tools, once per test program,
// in a temporary folder. The reference is 100000 stereo frames at 44100 Hz: 440 Hz at half scale
// on the left, 660 Hz at quarter scale on the right.
namespace DecoderTestFiles {
inline constexpr std::int64_t kReferenceFrames = 100000;
inline constexpr int kReferenceRate = 44100;

// Folder holding the files; empty when they could not be made.
const std::string& Folder();
std::string PathOf(const std::string& name);
// The reference as interleaved stereo samples, read back from its WAV file.
const std::vector<std::int16_t>& ReferenceSamples();

// Writes `frames` MPEG-1 Layer I frames (mono, 48000 Hz, 384 kbit/s) with a fixed pseudo-random
// pattern in the lower subbands: no installed tool writes Layer I.
bool WriteLayerOneFile(const std::string& path, int frames);

// Reads a source to its end in blocks of `block` frames (bounded), returning interleaved samples.
std::vector<std::int16_t> ReadToEnd(PcmSource& source, std::int64_t block);
} // namespace DecoderTestFiles
