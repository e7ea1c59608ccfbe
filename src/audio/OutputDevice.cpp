#include "audio/OutputDevice.h"

#include <algorithm>
#include <cstdlib>

namespace {
int FromEnvironment(const char* name, int fallback, int low, int high)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0') {
        return fallback;
    }
    return static_cast<int>(std::clamp<long>(value, low, high));
}
} // namespace

int OutputDevice::BufferMs()
{
    return FromEnvironment("RBX_OUTPUT_BUFFER_MS", kDefaultBufferMs, 5, 1000);
}

int OutputDevice::PeriodMs()
{
    return std::min(BufferMs(), FromEnvironment("RBX_OUTPUT_PERIOD_MS", kDefaultPeriodMs, 1, 100));
}
