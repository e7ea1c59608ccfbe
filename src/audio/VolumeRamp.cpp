#include "audio/VolumeRamp.h"

void VolumeRamp::set(double volume, std::int64_t nowNs)
{
    VolumeProgram p;
    p.fromVolume = volume;
    p.toVolume = volume;
    p.startNs = nowNs;
    p.endNs = nowNs;
    program_.write(p);
}

void VolumeRamp::slide(double target, bool stopAtEnd, std::int64_t nowNs, std::uint32_t ms)
{
    VolumeProgram p;
    p.fromVolume = valueAt(nowNs);
    p.toVolume = target;
    p.startNs = nowNs;
    p.endNs = nowNs + static_cast<std::int64_t>(ms) * 1000000LL;
    p.stopAtEnd = stopAtEnd;
    program_.write(p);
}

bool VolumeRamp::slidingAt(std::int64_t ns) const
{
    const VolumeProgram p = program();
    return p.endNs > p.startNs && ns < p.endNs;
}

double VolumeRamp::ValueAt(const VolumeProgram& p, std::int64_t ns)
{
    if (ns >= p.endNs || p.endNs <= p.startNs) {
        return p.toVolume;
    }
    if (ns <= p.startNs) {
        return p.fromVolume;
    }
    const double t = static_cast<double>(ns - p.startNs) / static_cast<double>(p.endNs - p.startNs);
    return p.fromVolume + (p.toVolume - p.fromVolume) * t;
}
