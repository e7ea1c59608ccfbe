// links: PkgConfig::PULSE_SIMPLE
// The in-process peer of bench_output_probe for bench/measure_output.py: a plain write of a WAV
// file's samples into a PulseAudio stream opened at start (the sound server's own simple client
// library), with the same device buffer (RBX_OUTPUT_BUFFER_MS, 16 by default) and the same
// commands and answers on stdin and stdout:
//   open <path>    -> "opened <handle> <ns> 0"   reads the file (16-bit stereo 44.1 kHz WAV)
//   play <handle>  -> "played <handle> <ns> 0"  the ns is taken before the first write
//   free <handle>  -> "freed <handle> <ns>"
//   quit
#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {
long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::uint32_t Le32(const std::vector<char>& b, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

// The samples of the "data" chunk of a RIFF WAV file (empty when there is none).
std::vector<char> WavData(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::uint32_t size = Le32(file, at + 4);
        if (std::memcmp(&file[at], "data", 4) == 0) {
            const std::size_t end = std::min<std::size_t>(file.size(), at + 8 + size);
            return {file.begin() + static_cast<std::ptrdiff_t>(at + 8), file.begin() + static_cast<std::ptrdiff_t>(end)};
        }
        at += 8 + size + (size & 1u);
    }
    return {};
}

int BufferMs()
{
    const char* text = std::getenv("RBX_OUTPUT_BUFFER_MS");
    const int ms = text != nullptr ? std::atoi(text) : 0;
    return ms > 0 ? ms : 16;
}
} // namespace

int main()
{
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(static_cast<pa_usec_t>(BufferMs()) * 1000, &spec));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "rbx-peer", PA_STREAM_PLAYBACK, nullptr, "peer", &spec, nullptr,
                                      &attr, &error);
    if (stream == nullptr) {
        std::printf("error init %s\n", pa_strerror(error));
        return 1;
    }
    std::printf("ready %lld\n", NowNs());
    std::fflush(stdout);
    std::map<unsigned, std::vector<char>> sounds;
    unsigned next = 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "quit") {
            break;
        }
        if (verb == "open") {
            std::string path;
            std::getline(words >> std::ws, path);
            sounds[next] = WavData(path);
            std::printf("opened %u %lld 0\n", next, NowNs());
            ++next;
        } else if (verb == "play") {
            unsigned h = 0;
            words >> h;
            const long long t = NowNs();
            const std::vector<char>& data = sounds[h];
            const int ok = data.empty() ? -1 : pa_simple_write(stream, data.data(), data.size(), &error);
            std::printf("played %u %lld %d\n", h, t, ok < 0 ? 1 : 0);
        } else if (verb == "free") {
            unsigned h = 0;
            words >> h;
            sounds.erase(h);
            std::printf("freed %u %lld\n", h, NowNs());
        } else {
            std::printf("unknown %s\n", verb.c_str());
        }
        std::fflush(stdout);
    }
    pa_simple_free(stream);
    return 0;
}
