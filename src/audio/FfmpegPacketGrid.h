#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Positions of a WMA 1/2 file coded without a bit reservoir, found from a handful of packets
// instead of a decode of the whole file. Each packet the decoder takes then yields exactly one
// frame of a fixed length (2048 samples at 44100 Hz), so the decoder output is a grid of frames,
// and the container times every packet to the millisecond, a small fraction of a frame: a
// packet's time names its frame. The model is checked against a real decode of the file's first
// packets and of its last seconds, which also gives the exact length; a file that departs from
// it anywhere checked (damaged times, frames of other lengths) is left to a full decode.
namespace FfmpegPacketGrid {
struct Grid
{
    std::int64_t origin = 0;       // time of the first packet, in frames
    std::int64_t frameLength = 0;  // decoder output per packet
    std::int64_t totalFrames = -1; // decoder output for the whole file
};

// The decoder-output frame the packet timed `time` (in frames) starts on.
std::int64_t StartOf(const Grid& grid, std::int64_t time);
// The time to ask the demuxer for so that it lands at or before raw frame `raw`.
std::int64_t TimeOf(const Grid& grid, std::int64_t raw);

// Checks the model on the file and measures its decoder output. False when the file is not of
// this kind, does not follow the model where checked, or cannot be read; stop ends it early.
bool Measure(const std::string& path, Grid& grid, const std::atomic<bool>& stop);
} // namespace FfmpegPacketGrid
