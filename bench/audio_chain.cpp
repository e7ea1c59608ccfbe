// links: rbx_audio
// The engine's full effect chain per stream (decode + tempo + ten bands + reverb + volume) against
// real time and against the same chain in sox, and the time from stream creation to the first
// non-silent sample per file type. Files are made with ffmpeg at start.
#include "audio/Bass.h"
#include "audio/EngineManual.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr int kSeconds = 20;

std::string Folder()
{
    static const std::string folder = [] {
        char name[] = "/tmp/rbx_bench_XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return folder;
}

// A 20 s stereo 44.1 kHz music-like signal in the given format (made once).
std::string File(const std::string& ext)
{
    const std::string path = Folder() + "/chain." + ext;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        return path;
    }
    const std::string cmd =
        "ffmpeg -loglevel error -y -f lavfi -i \"sine=frequency=440:duration=" + std::to_string(kSeconds) +
        ":sample_rate=44100\" -f lavfi -i " + "\"anoisesrc=d=" + std::to_string(kSeconds) +
        ":c=pink:r=44100:a=0.1\" -filter_complex amerge=inputs=2 -ac 2 \"" + path + "\"";
    if (std::system(cmd.c_str()) != 0) {
        return {};
    }
    return path;
}

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

BassHandle FullChainStream(const std::string& path)
{
    const BassHandle decode = BASS_StreamCreateFile(false, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    const BassHandle h = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    const float centres[10] = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};
    for (int b = 0; b < 10; ++b) {
        const BassFxHandle fx = BASS_ChannelSetFX(h, BassFxParamEq, 1);
        BassEqParams p;
        p.centerHz = centres[b];
        p.bandwidthSemitones = 18.0f;
        p.gainDb = (b % 2 == 0) ? 3.0f : -3.0f;
        BASS_FXSetParameters(fx, p);
    }
    const BassFxHandle reverb = BASS_ChannelSetFX(h, BassFxReverb, 1);
    BassReverbParams r;
    r.reverbMixDb = -12.0f;
    r.reverbTimeMs = 1200.0f;
    r.highFreqRatio = 0.1f;
    BASS_FXSetParameters(reverb, r);
    BASS_FX_TempoSet(h, 10.0f, 0.0f, -100.0f);
    BASS_ChannelSetAttributes(h, -1, 80, -101);
    BASS_ChannelPlay(h, false);
    return h;
}

// Renders `streams` full-chain MP3 streams for the file's length; returns output seconds per CPU
// second.
double ChainSpeed(int streams)
{
    BASS_Free();
    EngineInitManual(kRate, 0);
    std::vector<BassHandle> handles;
    for (int i = 0; i < streams; ++i) {
        handles.push_back(FullChainStream(File("mp3")));
    }
    std::vector<float> out(static_cast<std::size_t>(2 * 4096));
    const double start = CpuSeconds();
    const int renderSeconds = kSeconds - 3; // +10 % tempo: the file lasts ~18 s of output
    for (int done = 0; done < renderSeconds * kRate; done += 4096) {
        EngineRenderManual(out.data(), 4096);
    }
    const double cpu = CpuSeconds() - start;
    BASS_Free();
    return renderSeconds / cpu;
}

// CPU seconds used by finished child processes (the machine is shared: wall time would measure
// the other builds as much as sox).
double ChildCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double SoxSpeed()
{
    static const double speed = [] {
        const std::string wav = File("wav");
        std::string cmd = "sox \"" + wav + "\" -n";
        const int centres[10] = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};
        for (int b = 0; b < 10; ++b) {
            cmd += " equalizer " + std::to_string(centres[b]) + " 1.5o " + (b % 2 == 0 ? "3" : "-3");
        }
        cmd += " reverb 50 tempo 1.1 2>/dev/null";
        const double start = ChildCpuSeconds();
        if (std::system(cmd.c_str()) != 0) {
            return 0.0;
        }
        return kSeconds / std::max(ChildCpuSeconds() - start, 1e-6);
    }();
    return speed;
}

void BM_FullChainOneStream(benchmark::State& state)
{
    double speed = 0.0;
    for (auto _ : state) {
        speed = ChainSpeed(1);
    }
    const double sox = SoxSpeed();
    state.counters["x_real_time"] = speed;
    state.counters["sox_x_real_time"] = sox;
    state.counters["ratio_vs_sox"] = sox > 0.0 ? speed / sox : 0.0;
}
BENCHMARK(BM_FullChainOneStream)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_FiveStreamsShareOfOneCore(benchmark::State& state)
{
    double speed = 0.0;
    for (auto _ : state) {
        speed = ChainSpeed(5);
    }
    state.counters["percent_of_one_core"] = 100.0 / speed;
}
BENCHMARK(BM_FiveStreamsShareOfOneCore)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_CreateToFirstSound(benchmark::State& state, const char* ext)
{
    const std::string path = File(ext);
    BASS_Free();
    EngineInitManual(kRate, 0);
    std::vector<float> out(2 * 256);
    double worstMs = 0.0;
    double worstCpuMs = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuSeconds();
        const BassHandle h = FullChainStream(path);
        bool heard = false;
        for (int i = 0; i < 400 && !heard; ++i) {
            EngineRenderManual(out.data(), 256);
            for (float v : out) {
                heard = heard || std::fabs(v) > 1e-3f;
            }
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        worstMs = std::max(worstMs, ms);
        worstCpuMs = std::max(worstCpuMs, (ThreadCpuSeconds() - cpuStart) * 1000.0);
        if (!heard) {
            state.SkipWithError("no sound");
        }
        BASS_StreamFree(h);
    }
    // Wall time counts the other builds on this machine too; CPU time is the engine's own.
    state.counters["worst_ms"] = worstMs;
    state.counters["worst_cpu_ms"] = worstCpuMs;
    BASS_Free();
}
BENCHMARK_CAPTURE(BM_CreateToFirstSound, wav, "wav")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateToFirstSound, mp3, "mp3")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateToFirstSound, mp2, "mp2")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateToFirstSound, ogg, "ogg")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateToFirstSound, flac, "flac")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateToFirstSound, wma, "wma")->Iterations(10)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
