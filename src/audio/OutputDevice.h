#pragma once

#include <cstdint>
#include <functional>

// Where the mixed sound goes. The render function is called from the device's own thread with
// (interleaved float buffer, frames) and says whether anything played; it must not block.
// A device may stop itself after a stretch of silence: wake() starts it again.
//
// Every real output (PulseOutput, PortAudioOutput) keeps the same device buffer, chosen here. The
// buffer is what stands between a busy machine and a gap: 16 ms in 4 ms periods puts a hot key's
// sound at the sound server about 20 ms after the key. With the output and feeder threads at a
// raised priority the stalls left under load are the sound server's own (or a virtual machine's
// host taking the CPU away): 16 ms then shows a few short gaps that 50 ms does not.
// RBX_OUTPUT_BUFFER_MS and RBX_OUTPUT_PERIOD_MS override the two figures for a machine that needs
// more (or allows less).
class OutputDevice
{
public:
    static constexpr int kDefaultBufferMs = 16;
    static constexpr int kDefaultPeriodMs = 4;
    // The device buffer and period in force (ms): the defaults above unless overridden.
    static int BufferMs();
    static int PeriodMs();

    using Render = std::function<bool(float* out, int frames)>;
    virtual ~OutputDevice() = default;
    virtual bool start() = 0;
    virtual bool stop() = 0;
    virtual bool running() const = 0;
    // A stream was just set playing: the device must be running (or about to run) on return.
    virtual bool wake() { return true; }
    // How often wake() found the device stopped for silence and started it again.
    virtual int restarts() const { return 0; }
    // Stopped for silence until the next wake().
    virtual bool parked() const { return false; }
    // How often the device lost its sound server; it renders on in silence meanwhile and
    // connects again by itself. connected() is false until it has.
    virtual int losses() const { return 0; }
    virtual bool connected() const { return true; }
};
