#pragma once

#include <chrono>
#include <cstdint>

// A source of interleaved 16-bit PCM at its own sample rate. File decoders implement it; tests
// implement it with generated signals so the engine can be measured without files.
// Thread contract: after creation, only the engine's feeder thread calls it.
class PcmSource {
public:
    virtual ~PcmSource() = default;

    virtual int sampleRate() const = 0;
    // Channels delivered by read(): 2 under stereo output, 1 under mono output.
    virtual int channels() const = 0;
    // Exact length in frames, measured by decoding (encoder delay and padding removed).
    virtual std::int64_t lengthFrames() const = 0;
    // The length without waiting longer than maxWait for a measurement still running: exact is
    // true when the result is the exact length, false when it is an estimate (within a fraction
    // of a second) that a later call will replace. Any thread.
    virtual std::int64_t lengthFramesWithin(std::chrono::milliseconds maxWait, bool& exact) const
    {
        (void)maxWait;
        exact = true;
        return lengthFrames();
    }
    // Reads up to `frames` whole frames into `interleaved`; returns frames read, 0 at the end,
    // -1 on a decoding failure. Never blocks on anything but decoding.
    virtual std::int64_t read(std::int16_t* interleaved, std::int64_t frames) = 0;
    // Sample-accurate seek; false when the frame is past the end or the seek failed.
    virtual bool seekFrame(std::int64_t frame) = 0;
    // True once the file under the source was found changed (overwritten in place while it
    // played: what it holds now is not the sound that was opened, and read as that sound it can
    // be full-scale noise). read() then gives nothing more.
    virtual bool fileChanged() const { return false; }
};
