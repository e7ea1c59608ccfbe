// links: rbx_audio
// Decode speed per file type (as a multiple of real time), the time from opening a file to its
// first decoded frames, and the time until the exact length is known. Files of three minutes of
// stereo pink noise at 44100 Hz are made with the ffmpeg command-line tool at start.
#include "audio/FileDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {
constexpr double kSeconds = 180.0;

struct Kind
{
    const char* label;
    const char* file;
    const char* codecArgs;
};

const Kind kKinds[] = {
    {"WAV", "song.wav", "-c:a pcm_s16le"},        {"FLAC", "song.flac", "-c:a flac"},
    {"OGG", "song.ogg", "-c:a libvorbis -q:a 5"}, {"MP3", "song.mp3", "-c:a libmp3lame -b:a 192k"},
    {"MP2", "song.mp2", "-c:a mp2 -b:a 256k"},    {"WMA", "song.wma", "-c:a wmav2 -b:a 128k"},
};

class Folder
{
public:
    Folder()
    {
        path_ =
            std::filesystem::temp_directory_path() / ("rallybox-decode-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
        for (const Kind& kind : kKinds) {
            const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i "
                                        "anoisesrc=color=pink:amplitude=0.3:sample_rate=44100:duration=" +
                                        std::to_string(static_cast<int>(kSeconds)) + " -ac 2 " +
                                        kind.codecArgs + " '" + of(kind) + "' >/dev/null 2>&1";
            ok_ = ok_ && std::system(command.c_str()) == 0;
        }
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string of(const Kind& kind) const { return (path_ / kind.file).string(); }
    bool ok() const { return ok_; }

private:
    std::filesystem::path path_;
    bool ok_ = true;
};

const Folder& Files()
{
    static Folder folder;
    return folder;
}

void DecodeWholeFile(benchmark::State& state, const Kind& kind)
{
    const std::string path = Files().of(kind);
    std::vector<std::int16_t> buffer(4096 * 2);
    std::int64_t frames = 0;
    int rate = 1;
    for (auto _ : state) {
        int code = 0;
        auto source = OpenAudioFile(path, 2, code);
        if (source == nullptr) {
            state.SkipWithError("open failed");
            return;
        }
        rate = source->sampleRate();
        for (std::int64_t got = 1; got > 0;) {
            got = source->read(buffer.data(), 4096);
            frames += got;
        }
    }
    state.counters["x_real_time"] =
        benchmark::Counter(static_cast<double>(frames) / rate, benchmark::Counter::kIsRate);
}

void OpenToFirstFrame(benchmark::State& state, const Kind& kind)
{
    const std::string path = Files().of(kind);
    std::vector<std::int16_t> buffer(1024 * 2);
    for (auto _ : state) {
        int code = 0;
        auto source = OpenAudioFile(path, 2, code);
        if (source == nullptr || source->read(buffer.data(), 1024) != 1024) {
            state.SkipWithError("no first frames");
            return;
        }
        benchmark::DoNotOptimize(buffer.data());
        state.PauseTiming();
        source.reset(); // closing (and stopping the index scan) is not part of the click
        state.ResumeTiming();
    }
}

void OpenToExactLength(benchmark::State& state, const Kind& kind)
{
    const std::string path = Files().of(kind);
    for (auto _ : state) {
        int code = 0;
        auto source = OpenAudioFile(path, 2, code);
        if (source == nullptr) {
            state.SkipWithError("open failed");
            return;
        }
        benchmark::DoNotOptimize(source->lengthFrames());
    }
}

void SeekToMiddleAndRead(benchmark::State& state, const Kind& kind)
{
    const std::string path = Files().of(kind);
    int code = 0;
    auto source = OpenAudioFile(path, 2, code);
    if (source == nullptr) {
        state.SkipWithError("open failed");
        return;
    }
    const std::int64_t length = source->lengthFrames();
    std::vector<std::int16_t> buffer(1024 * 2);
    std::int64_t target = length / 3;
    for (auto _ : state) {
        target = (target * 7 + 12345) % (length - 2048);
        if (!source->seekFrame(target) || source->read(buffer.data(), 1024) != 1024) {
            state.SkipWithError("seek failed");
            return;
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (!Files().ok()) {
        return 1;
    }
    for (const Kind& kind : kKinds) {
        const std::string label = kind.label;
        benchmark::RegisterBenchmark(("DecodeWholeFile/" + label).c_str(), DecodeWholeFile, kind)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("OpenToFirstFrame/" + label).c_str(), OpenToFirstFrame, kind)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("OpenToExactLength/" + label).c_str(), OpenToExactLength, kind)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("SeekToMiddleAndRead/" + label).c_str(), SeekToMiddleAndRead, kind)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
