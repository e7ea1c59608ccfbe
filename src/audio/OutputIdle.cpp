#include "audio/OutputIdle.h"

#include <cstdlib>

std::int64_t OutputIdle::ParkAfterFrames(int rate, int defaultMs)
{
    long ms = defaultMs;
    if (const char* text = std::getenv("RBX_OUTPUT_IDLE_MS"); text != nullptr && *text != '\0') {
        char* end = nullptr;
        const long value = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && value >= 0) {
            ms = value;
        }
    }
    return static_cast<std::int64_t>(ms) * rate / 1000;
}

bool OutputIdle::periodDone(std::uint64_t ticket, bool sounding, int frames)
{
    if (sounding) {
        silentFrames_ = 0;
        return false;
    }
    silentFrames_ += frames;
    if (parkAfter_ <= 0 || silentFrames_ < parkAfter_ || (ticket & kParked) != 0) {
        return false;
    }
    // Fails when a play request came in since the period began: that sound may not have been
    // seen by the render yet.
    return word_.compare_exchange_strong(ticket, ticket | kParked);
}

void OutputIdle::resumed()
{
    silentFrames_ = 0;
    word_.fetch_and(~kParked);
}
