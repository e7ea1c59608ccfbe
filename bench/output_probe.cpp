// links: rbx_audio
// Drives the engine on a real output device for the output measurements (bench/measure_output.py):
// reads commands on stdin and answers each on stdout with the steady clock in ns at the moment
// the engine call was made, so the recorder can line the event up with the recorded sound.
//   open <path>    -> "opened <handle> <ns>"     creates a stream (flags 0)
//   play <handle>  -> "played <handle> <ns>"     BASS_ChannelPlay, restart false
//   free <handle>  -> "freed <handle> <ns>"
//   fade <handle> <ms> -> "fading <handle> <ns>"  slides the volume to silence and stops (-2)
//   quit
// Arguments: [device (default 1)] [buffer ms (default 1000)].
// With "--play <path>" it is instead a whole process that plays one file on the default output
// and ends when the sound has, as paplay does (the device buffer: RBX_OUTPUT_BUFFER_MS).
#include "audio/Bass.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

namespace {
long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int PlayOnce(const char* path)
{
    if (!BASS_Init(1, 44100, 0, nullptr, nullptr)) {
        std::fprintf(stderr, "error init %d\n", BASS_ErrorGetCode());
        return 1;
    }
    const BassHandle h = BASS_StreamCreateFile(false, path, 0, 0, 0);
    if (h == 0 || !BASS_ChannelPlay(h, false)) {
        std::fprintf(stderr, "error play %d\n", BASS_ErrorGetCode());
        BASS_Free();
        return 1;
    }
    // Bounded: a sound that never ends must not hang the measurement.
    for (int i = 0; i < 6000 && BASS_ChannelIsActive(h) != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the device buffer plays out
    BASS_Free();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "--play") {
        return PlayOnce(argv[2]);
    }
    const int device = argc > 1 ? std::atoi(argv[1]) : 1;
    const int bufferMs = argc > 2 ? std::atoi(argv[2]) : 1000;
    BASS_SetConfig(BASS_CONFIG_BUFFER, static_cast<std::uint32_t>(bufferMs));
    if (!BASS_Init(device, 44100, 0, nullptr, nullptr)) {
        std::printf("error init %d\n", BASS_ErrorGetCode());
        return 1;
    }
    std::printf("ready %lld\n", NowNs());
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        if (verb == "quit") {
            break;
        }
        if (verb == "open") {
            std::string path;
            std::getline(in >> std::ws, path);
            const BassHandle h = BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0);
            std::printf("opened %u %lld %d\n", h, NowNs(), BASS_ErrorGetCode());
        } else if (verb == "play") {
            BassHandle h = 0;
            in >> h;
            const long long t = NowNs();
            const bool ok = BASS_ChannelPlay(h, false);
            std::printf("played %u %lld %d\n", h, t, ok ? 0 : BASS_ErrorGetCode());
        } else if (verb == "free") {
            BassHandle h = 0;
            in >> h;
            BASS_StreamFree(h);
            std::printf("freed %u %lld\n", h, NowNs());
        } else if (verb == "fade") {
            BassHandle h = 0;
            std::uint32_t ms = 0;
            in >> h >> ms;
            const bool ok = BASS_ChannelSlideAttributes(h, -1, -2, -101, ms);
            std::printf("fading %u %lld %d\n", h, NowNs(), ok ? 0 : BASS_ErrorGetCode());
        } else {
            std::printf("unknown %s\n", verb.c_str());
        }
        std::fflush(stdout);
    }
    BASS_Free();
    return 0;
}
