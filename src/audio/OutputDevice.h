#pragma once

#include <cstdint>
#include <functional>

// Where the mixed sound goes. The render function is called from the device's own thread with
// (interleaved float buffer, frames); it must not block.
class OutputDevice {
public:
    using Render = std::function<void(float* out, int frames)>;
    virtual ~OutputDevice() = default;
    virtual bool start() = 0;
    virtual bool stop() = 0;
    virtual bool running() const = 0;
};
