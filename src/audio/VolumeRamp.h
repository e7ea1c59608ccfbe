#pragma once

#include "audio/SeqLocked.h"

#include <cstdint>

// A channel's volume (0..100) as a function of the engine clock: a constant, or a linear slide
// from one value to another between two instants. The GUI thread writes it; the mixer evaluates
// it at each frame it renders; a slide ends by the clock alone, so it ends also when nothing
// renders (paused, output stopped, "No sound").
struct VolumeProgram {
    double fromVolume = 100.0;
    double toVolume = 100.0;
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;       // startNs == endNs: no slide
    bool stopAtEnd = false;       // the slide was to -2: silence, then stop
};

class VolumeRamp {
public:
    // Sets the volume at once, cancelling any slide. Writer: GUI thread.
    void set(double volume, std::int64_t nowNs);
    // Slides from the present value to `target` over `ms`; a new slide cancels the old one.
    void slide(double target, bool stopAtEnd, std::int64_t nowNs, std::uint32_t ms);

    VolumeProgram program() const { return program_.read(); }
    std::uint32_t version() const { return program_.version(); }
    double valueAt(std::int64_t ns) const { return ValueAt(program(), ns); }
    bool slidingAt(std::int64_t ns) const;

    static double ValueAt(const VolumeProgram& p, std::int64_t ns);

private:
    SeqLocked<VolumeProgram> program_;
};
