#pragma once

#include "audio/OutputDevice.h"
#include "audio/OutputIdle.h"

#include <atomic>

// A real output through PortAudio (ALSA, and through it PulseAudio or PipeWire).
//
// The callback thread asks for real-time scheduling (where the system grants it) and the device
// buffer is the output layer's (OutputDevice::BufferMs) instead of the host's "low latency"
// figure, which on ALSA's default device (the sound server's plug-in) is a few ms and under-runs,
// and every under-run there re-creates the server's stream.
//
// RBX_OUTPUT_IDLE_MS lets the stream end itself after that much silence (see OutputIdle) and the
// next play start it again, primed from the callback so the sound that woke it goes out first
// instead of behind a buffer of silence. It is off by default (kIdleMs): each start makes the
// sound server's ALSA plug-in build a new server stream, and on a busy machine that stream drops
// and repeats samples in its first ~100 ms where a running one stays clean.
class PortAudioOutput : public OutputDevice
{
public:
    static constexpr int kIdleMs = 0;

    PortAudioOutput(int rate, int channels, Render render);
    ~PortAudioOutput() override;
    // Opens PortAudio's device `index`; false when it cannot be opened.
    bool open(int index);
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }
    bool wake() override;
    int restarts() const override { return restarts_; }
    bool parked() const override { return idle_.parked(); }

private:
    static int Callback(const void* input, void* output, unsigned long frames, const void* timeInfo,
                        unsigned long flags, void* self);

    int rate_;
    int channels_;
    Render render_;
    void* stream_ = nullptr;
    bool alsa_ = false;
    bool raised_ = false;
    int restarts_ = 0;
    OutputIdle idle_;
    std::atomic<bool> running_{false};
};
