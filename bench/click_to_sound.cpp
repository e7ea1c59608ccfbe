// links: rbx_audio
// What a click does before its sound can reach the device, per file type: the engine's streams
// for the button (the playing stream, the stream that measures the length, the tempo stream over
// the decoder, both length queries and the effects, then the play), timed to the first
// non-silent sample the mixer renders. The device's buffer comes on top of this figure (the whole
// path to the sound server's monitor is bench/measure_output.sh's). Peer: a plain libav* open and
// decode of the same file to its first non-silent sample, in alternating rounds of the same run.
// "cold": each open is of a fresh copy whose pages were dropped from the page cache (as for a
// button played first after boot); "warm": the same file again.
#include "BenchFiles.h"
#include "PlainChain.h"
#include "SideBySide.h"
#include "audio/Bass.h"
#include "audio/EngineManual.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr int kBlock = 256;
constexpr int kRounds = 10;
// Renders at most this many blocks (~2.3 s) looking for the first sound.
constexpr int kMaxBlocks = 400;

bool Audible(const std::vector<float>& block, int frames)
{
    for (int i = 0; i < frames * 2; ++i) {
        if (std::fabs(block[static_cast<std::size_t>(i)]) > 1e-3f) {
            return true;
        }
    }
    return false;
}

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

BassHandle ButtonStream(const std::string& path)
{
    const BassHandle decode = BASS_StreamCreateFile(false, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    const BassHandle h = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    for (int b = 0; b < 10; ++b) {
        BASS_ChannelSetFX(h, BassFxParamEq, 1);
    }
    BASS_ChannelSetFX(h, BassFxReverb, 1);
    BASS_ChannelSetAttributes(h, -1, 80, -101);
    return h;
}

// Milliseconds from the click's first engine call to the first non-silent rendered sample; -1
// when no sound came.
double EngineClick(const std::string& path)
{
    std::vector<float> out(2 * kBlock);
    const auto start = std::chrono::steady_clock::now();
    const BassHandle lengthStream = BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0);
    const BassHandle h = ButtonStream(path);
    benchmark::DoNotOptimize(BASS_ChannelGetLength(lengthStream));
    benchmark::DoNotOptimize(BASS_ChannelGetLength(h));
    BASS_ChannelPlay(h, false);
    bool heard = false;
    for (int i = 0; i < kMaxBlocks && !heard; ++i) {
        EngineRenderManual(out.data(), kBlock);
        heard = Audible(out, kBlock);
    }
    const double ms = MsSince(start);
    BASS_StreamFree(h);
    BASS_StreamFree(lengthStream);
    return heard ? ms : -1.0;
}

double PlainClick(const std::string& path)
{
    std::vector<float> out(2 * kBlock);
    const auto start = std::chrono::steady_clock::now();
    plain_chain::Decoder decoder(path);
    bool heard = false;
    for (int i = 0; i < kMaxBlocks && !heard && decoder.ok(); ++i) {
        const int got = decoder.read(out.data(), kBlock);
        heard = got > 0 && Audible(out, got);
    }
    return heard ? MsSince(start) : -1.0;
}

// One figure of `click` on a fresh cold copy (removed after) or on the file itself.
template <typename Click>
double Timed(Click click, const std::string& path, bool cold)
{
    const std::string file = cold ? bench_files::FreshCopy(path, true) : path;
    if (file.empty()) {
        return -1.0;
    }
    const double ms = click(file);
    if (cold) {
        std::remove(file.c_str());
    }
    return ms;
}

void BM_ClickToFirstRenderedSample(benchmark::State& state, const char* ext, bool cold)
{
    const std::string path = bench_files::File(ext);
    BASS_Free();
    EngineInitManual(kRate, 0);
    side_by_side::Rounds r;
    for (auto _ : state) {
        if (!cold) { // "warm": both sides have opened the file before
            EngineClick(path);
            PlainClick(path);
        }
        r = side_by_side::Alternate(
            kRounds, [&] { return Timed(EngineClick, path, cold); }, [&] { return Timed(PlainClick, path, cold); });
    }
    BASS_Free();
    for (const double ms : r.ours) {
        if (ms < 0.0) {
            state.SkipWithError("no sound from the engine");
            return;
        }
    }
    for (const double ms : r.peer) {
        if (ms < 0.0) {
            state.SkipWithError("no sound from the plain decoder");
            return;
        }
    }
    side_by_side::Report(state, r, std::string("ms, before the device buffer, ") + (cold ? "cold" : "warm"),
                         "plain libav* open and decode to the first non-silent sample");
}
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, wav_cold, "wav", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, mp3_cold, "mp3", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, mp2_cold, "mp2", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, ogg_cold, "ogg", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, flac_cold, "flac", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, wma_cold, "wma", true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, mp3_warm, "mp3", false)->Iterations(1);
BENCHMARK_CAPTURE(BM_ClickToFirstRenderedSample, wma_warm, "wma", false)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_files::RemoveFolder();
    return 0;
}
