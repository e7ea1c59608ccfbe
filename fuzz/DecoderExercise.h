#pragma once
// One pass over the decoder path as the feeder and the length queries use it, for any bytes:
// the first byte picks the file name's extension and the output channel count, the second where
// to seek, the rest is the file. Shared by the decoder fuzzer and the regression test that
// replays the inputs it found.
#include "audio/FileDecoder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace DecoderExercise {
inline constexpr std::array<const char*, 8> kExtensions = {".wav", ".mp3", ".mp2",  ".mp1",
                                                           ".ogg", ".wma", ".flac", ".bwf"};
// Far past the end of anything a fuzz input can hold; only a runaway decoder reaches it.
inline constexpr std::int64_t kMaxFramesRead = std::int64_t{1} << 24;

inline bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Frames read until the end; -1 when read() broke its contract (more than asked for).
inline std::int64_t ReadToEnd(PcmSource& source, std::vector<std::int16_t>& buffer, int channels)
{
    std::int64_t total = 0;
    const std::int64_t block = static_cast<std::int64_t>(buffer.size()) / channels;
    while (total < kMaxFramesRead) {
        const std::int64_t got = source.read(buffer.data(), block);
        if (got > block) {
            return -1;
        }
        if (got <= 0) {
            break;
        }
        total += got;
    }
    return total;
}

// Writes the file beside `stem` (stem + extension), opens, reads to the end, seeks, reads again,
// asks for the length. False when the decoder broke a promise of its interface; memory errors
// are for the sanitizers to find.
inline bool Run(const std::uint8_t* data, std::size_t size, const std::string& stem)
{
    if (size < 2) {
        return true;
    }
    const std::uint8_t choice = data[0];
    const std::uint8_t seekByte = data[1];
    const std::string path = stem + kExtensions[choice % kExtensions.size()];
    if (!WriteFile(path, data + 2, size - 2)) {
        return true;
    }
    const int channels = (choice & 0x80) != 0 ? 1 : 2;
    bool kept = true;
    int errorCode = 0;
    if (std::unique_ptr<PcmSource> source = OpenAudioFile(path, channels, errorCode)) {
        std::vector<std::int16_t> buffer(4096 * static_cast<std::size_t>(channels));
        kept = source->channels() == channels && source->sampleRate() > 0;
        const std::int64_t played = ReadToEnd(*source, buffer, channels);
        kept = kept && played >= 0;
        // Back to a point the input chooses (up to twice the frames played), then on to the end.
        (void)source->seekFrame(std::max<std::int64_t>(played, 0) * seekByte / 128);
        kept = kept && ReadToEnd(*source, buffer, channels) >= 0;
        (void)source->seekFrame(0);
        const std::int64_t again = source->read(buffer.data(), 1024);
        kept = kept && again >= 0 && again <= 1024;
        bool exact = false;
        kept = kept && source->lengthFramesWithin(std::chrono::milliseconds(0), exact) >= 0 &&
               source->lengthFrames() >= 0;
    } else {
        kept = errorCode != 0;
    }
    std::remove(path.c_str());
    return kept;
}
} // namespace DecoderExercise
