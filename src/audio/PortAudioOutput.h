#pragma once

#include "audio/OutputDevice.h"
#include "audio/OutputIdle.h"

#include <atomic>

// A real output through PortAudio (ALSA, and through it PulseAudio or PipeWire).
//
// The device buffer is what stands between a busy machine and a gap: the callback thread asks
// for real-time scheduling (where the system grants it) and the buffer is fixed here instead of
// taking the host's "low latency" figure, which on ALSA's default device (the sound server's
// plug-in) is a few ms and under-runs, and every under-run there re-creates the server's stream.
// 16 ms in 4 ms periods: a hot key's sound reaches the sound server about 20 ms after the key,
// and a busy machine still plays gapless, where 12 ms in 3 ms periods dropped out under a heavier
// load that 16 and 20 ms stood. RBX_OUTPUT_BUFFER_MS and RBX_OUTPUT_PERIOD_MS override the two
// figures for a machine that needs more (or allows less).
//
// RBX_OUTPUT_IDLE_MS lets the stream end itself after that much silence (see OutputIdle) and the
// next play start it again, primed from the callback so the sound that woke it goes out first
// instead of behind a buffer of silence. It is off by default (kIdleMs): each start makes the
// sound server's ALSA plug-in build a new server stream, and on a busy machine that stream drops
// and repeats samples in its first ~100 ms where a running one stays clean.
class PortAudioOutput : public OutputDevice
{
public:
    static constexpr int kDefaultBufferMs = 16;
    static constexpr int kDefaultPeriodMs = 4;
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

    // The device buffer and period in force (ms): the defaults above unless overridden.
    static int BufferMs();
    static int PeriodMs();

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
