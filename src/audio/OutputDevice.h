#pragma once

#include <cstdint>
#include <functional>

// Where the mixed sound goes. The render function is called from the device's own thread with
// (interleaved float buffer, frames) and says whether anything played; it must not block.
// A device may stop itself after a stretch of silence: wake() starts it again.
class OutputDevice
{
public:
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
