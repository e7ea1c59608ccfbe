// links: rbx_audio
// The engine's full effect chain per stream (decode + tempo + ten bands + reverb + volume) in
// CPU ms per output second, rendered in this process without a device, against the same chain
// written plainly in this process (PlainChain.h: libav* decoding into the same filters, no
// engine around them), in alternating rounds of the same run. One stream, and five mixed.
// CPU time of the whole process, so the other work on a shared machine does not count but any
// thread the engine starts does.
#include "BenchFiles.h"
#include "PlainChain.h"
#include "SideBySide.h"
#include "audio/Bass.h"
#include "audio/EngineManual.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr int kBlock = 1024;
// +10 % tempo: the 20 s file gives ~18 s of output; both sides render this much.
constexpr int kOutputSeconds = bench_files::kSeconds - 3;

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
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

// CPU ms per output second of the engine rendering `streams` full-chain streams mixed.
double EngineCpuMsPerSecond(int streams)
{
    BASS_Free();
    EngineInitManual(kRate, 0);
    for (int i = 0; i < streams; ++i) {
        FullChainStream(bench_files::File("mp3"));
    }
    std::vector<float> out(2 * kBlock);
    const double start = CpuSeconds();
    for (int done = 0; done < kOutputSeconds * kRate; done += kBlock) {
        EngineRenderManual(out.data(), kBlock);
    }
    const double cpu = CpuSeconds() - start;
    BASS_Free();
    return cpu * 1000.0 / kOutputSeconds;
}

// The same, with the plain chain (opening the files counted on both sides: the engine's
// streams are opened before the clock starts but decode inside it).
double PlainCpuMsPerSecond(int streams)
{
    std::vector<std::unique_ptr<plain_chain::Chain>> chains;
    for (int i = 0; i < streams; ++i) {
        chains.push_back(std::make_unique<plain_chain::Chain>(bench_files::File("mp3")));
    }
    std::vector<float> mix(2 * kBlock);
    const double start = CpuSeconds();
    for (int done = 0; done < kOutputSeconds * kRate; done += kBlock) {
        std::fill(mix.begin(), mix.end(), 0.0f);
        for (auto& chain : chains) {
            // A chain that ran short would make the peer look cheap.
            if (chain->addTo(mix.data(), kBlock) < kBlock) {
                return -1.0;
            }
        }
        benchmark::DoNotOptimize(mix.data());
    }
    return (CpuSeconds() - start) * 1000.0 / kOutputSeconds;
}

void SideBySideChain(benchmark::State& state, int streams, int rounds)
{
    if (bench_files::File("mp3").empty() || !plain_chain::Chain(bench_files::File("mp3")).ok()) {
        state.SkipWithError("no test file");
        return;
    }
    side_by_side::Rounds r;
    for (auto _ : state) {
        r = side_by_side::Alternate(
            rounds, [&] { return EngineCpuMsPerSecond(streams); }, [&] { return PlainCpuMsPerSecond(streams); });
    }
    if (*std::min_element(r.peer.begin(), r.peer.end()) < 0.0) {
        state.SkipWithError("the plain chain ended before the output did");
        return;
    }
    side_by_side::Report(state, r, "CPU ms per output s, no device",
                         "the same chain written plainly, libav* decoding (PlainChain.h)");
}

void BM_FullChainOneStream(benchmark::State& state)
{
    SideBySideChain(state, 1, 7);
}
BENCHMARK(BM_FullChainOneStream)->Iterations(1)->Unit(benchmark::kMillisecond);

// Five full-chain streams mixed: the share of one core the mixing and the chains take, without
// an output device (the whole process on a sound server is measured by bench/measure_output.sh).
void BM_FiveChainsMixedWithoutDevice(benchmark::State& state)
{
    SideBySideChain(state, 5, 3);
}
BENCHMARK(BM_FiveChainsMixedWithoutDevice)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_files::RemoveFolder();
    return 0;
}
