#pragma once

#include <cstdint>

// What the engine plays in bounded time and memory. A file declaring more is refused when it is
// opened (unsupported file format) instead of stalling or stopping the engine later: the
// time-stretcher cannot run below a few hundred frames a second or above 192 kHz, the channel
// mixer takes at most 32 channels, and a length beyond a day is a damaged header, not a sound.
namespace PlayableLimits {
inline constexpr int kMinSampleRate = 4000;
inline constexpr int kMaxSampleRate = 192000;
inline constexpr int kMaxSourceChannels = 32;
inline constexpr std::int64_t kMaxLengthSeconds = 24 * 60 * 60;

inline constexpr bool RateOk(int sampleRate)
{
    return sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate;
}

inline constexpr bool ChannelsOk(int channels)
{
    return channels >= 1 && channels <= kMaxSourceChannels;
}

// statedFrames < 0: the file states no length (then it is measured by decoding what is there).
inline constexpr bool LengthOk(std::int64_t statedFrames, int sampleRate)
{
    return statedFrames <= kMaxLengthSeconds * sampleRate;
}
} // namespace PlayableLimits
