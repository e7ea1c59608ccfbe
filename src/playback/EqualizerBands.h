#pragma once
// The ten equalizer bands as every channel is built with them, and the one rule about which band
// may act on a file.
#include <array>
#include <cstdint>

inline constexpr std::array<float, 10> EqualizerBandCentresHz{80,   100,  150,  250,  500,
                                                              1000, 2000, 4000, 8000, 16000};

// The gain a band gets on a file of the given native rate: a centre at or above 0.45 of that rate
// lies above what the file holds, so the band stays flat there instead of lifting resampling
// noise (and a filter that close to the file's own Nyquist rate is not stable).
inline float BandGainForFile(float centreHz, std::uint32_t fileRate, float gainDb)
{
    if (fileRate > 0 && centreHz >= 0.45f * static_cast<float>(fileRate)) {
        return 0.0f;
    }
    return gainDb;
}
