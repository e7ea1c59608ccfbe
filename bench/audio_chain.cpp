// links: rbx_audio
// The engine's full effect chain per stream (decode + tempo + ten bands + reverb + volume) against
// real time and against the same chain in sox and in ffmpeg on the same MP3 in the same run (CPU
// ms per output second, so the other work on a shared machine does not count), and the time
// from a click's first engine call to the first non-silent sample per file type, cold (a file
// this process never opened) and warm (the same file again). Files are made with ffmpeg at start.
#include "audio/Bass.h"
#include "audio/EngineManual.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

BassHandle FullChainStream(const std::string& path, bool play = true)
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
    if (play) {
        BASS_ChannelPlay(h, false);
    }
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

// Runs a reference tool's chain on the MP3; returns output seconds per CPU second (0 on failure).
double ToolSpeed(const std::string& cmd)
{
    const double start = ChildCpuSeconds();
    if (std::system(cmd.c_str()) != 0) {
        return 0.0;
    }
    // +10 % tempo: the output is the file's length / 1.1.
    return kSeconds / 1.1 / std::max(ChildCpuSeconds() - start, 1e-6);
}

// The same chain in sox: ten peaking bands, reverb, tempo +10 %, volume.
double SoxSpeed()
{
    std::string cmd = "sox \"" + File("mp3") + "\" -n";
    const int centres[10] = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};
    for (int b = 0; b < 10; ++b) {
        cmd += " equalizer " + std::to_string(centres[b]) + " 1.5o " + (b % 2 == 0 ? "3" : "-3");
    }
    cmd += " reverb 50 tempo 1.1 vol 0.8 2>/dev/null";
    return ToolSpeed(cmd);
}

// The same chain in ffmpeg (its echo filter stands in for a reverb).
double FfmpegSpeed()
{
    std::string filters;
    const int centres[10] = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};
    for (int b = 0; b < 10; ++b) {
        filters +=
            "equalizer=f=" + std::to_string(centres[b]) + ":t=o:w=1.5:g=" + (b % 2 == 0 ? "3" : "-3") + ",";
    }
    filters += "aecho=0.8:0.7:40|70:0.3|0.2,atempo=1.1,volume=0.8";
    const std::string cmd = "ffmpeg -nostdin -v error -threads 1 -filter_threads 1 -i \"" + File("mp3") +
                            "\" -af \"" + filters + "\" -f null - 2>/dev/null";
    return ToolSpeed(cmd);
}

void BM_FullChainOneStream(benchmark::State& state)
{
    double speed = 0.0;
    double sox = 0.0;
    double ffmpeg = 0.0;
    for (auto _ : state) {
        speed = ChainSpeed(1);
        sox = SoxSpeed();
        ffmpeg = FfmpegSpeed();
    }
    state.counters["x_real_time"] = speed;
    state.counters["cpu_ms_per_output_s"] = 1000.0 / speed;
    state.counters["sox_cpu_ms_per_output_s"] = sox > 0.0 ? 1000.0 / sox : 0.0;
    state.counters["ffmpeg_cpu_ms_per_output_s"] = ffmpeg > 0.0 ? 1000.0 / ffmpeg : 0.0;
    state.counters["ratio_vs_sox"] = sox > 0.0 ? speed / sox : 0.0;
    state.counters["ratio_vs_ffmpeg"] = ffmpeg > 0.0 ? speed / ffmpeg : 0.0;
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

// What a click does before the sound starts: a decoding stream, the
// stream that measures the length, the tempo stream over the decoder, both length queries and
// the effects, then the play; timed to the first non-silent sample rendered.
BassHandle ClickStreams(const std::string& path, BassHandle& lengthStream)
{
    lengthStream = BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0);
    const BassHandle h = FullChainStream(path, false);
    benchmark::DoNotOptimize(BASS_ChannelGetLength(lengthStream));
    benchmark::DoNotOptimize(BASS_ChannelGetLength(h));
    BASS_ChannelPlay(h, false);
    return h;
}

std::string CopyOf(const std::string& path, int n)
{
    const std::string copy =
        Folder() + "/click-" + std::to_string(n) + "-" + path.substr(path.rfind('/') + 1);
    const std::string cmd = "cp \"" + path + "\" \"" + copy + "\"";
    return std::system(cmd.c_str()) == 0 ? copy : path;
}

void BM_ClickToFirstSound(benchmark::State& state, const char* ext, bool cold)
{
    const std::string path = File(ext);
    BASS_Free();
    EngineInitManual(kRate, 0);
    std::vector<float> out(2 * 256);
    std::vector<double> ms;
    int copies = 0;
    for (auto _ : state) {
        std::string file = path;
        if (cold) {
            state.PauseTiming();
            file = CopyOf(path, ++copies);
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        BassHandle lengthStream = 0;
        const BassHandle h = ClickStreams(file, lengthStream);
        bool heard = false;
        for (int i = 0; i < 400 && !heard; ++i) {
            EngineRenderManual(out.data(), 256);
            for (float v : out) {
                heard = heard || std::fabs(v) > 1e-3f;
            }
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (!heard) {
            state.SkipWithError("no sound");
        }
        state.PauseTiming();
        BASS_StreamFree(h);
        BASS_StreamFree(lengthStream);
        if (cold) {
            std::remove(file.c_str());
        }
        state.ResumeTiming();
    }
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["min_ms"] = ms.front();
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["max_ms"] = ms.back();
    }
    BASS_Free();
}
BENCHMARK_CAPTURE(BM_ClickToFirstSound, wav_cold, "wav", true)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, mp3_cold, "mp3", true)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, mp2_cold, "mp2", true)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, ogg_cold, "ogg", true)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, flac_cold, "flac", true)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, wma_cold, "wma", true)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, mp3_warm, "mp3", false)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickToFirstSound, wma_warm, "wma", false)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
