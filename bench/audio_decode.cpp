// links: rbx_audio
// Decode speed per file type (as a multiple of real time), the time from opening a file to its
// first decoded frames, the time until the exact length is known and the time of a seek with its
// first frames. Files of three minutes of stereo pink noise at 44100 Hz are made with the ffmpeg
// command-line tool at start; with RBX_BENCH_HOUR=1 also one-hour MP3 and WMA files.
// Three temperatures, each from the open:
// - "cold": a fresh copy of the file whose pages were dropped from the page cache, so every
//   read goes to the disk and nothing this process measured before (the shared packet index)
//   helps, as for a button played for the first time after start-up;
// - "warm": a fresh copy with its pages in the page cache (a file just copied or played by
//   another program);
// - "again": the same file opened again, as a button played again (the packet index is kept).
// Cold and warm cases run one open per repetition and report min, median and max.
#include "audio/FileDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
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
// One hour of a tone (cheap to encode), for the cases whose cost grows with the file.
const Kind kHourKinds[] = {
    {"MP3_1h", "hour.mp3", "-c:a libmp3lame -b:a 128k"},
    {"WMA_1h", "hour.wma", "-c:a wmav2 -b:a 128k"},
};

bool WithHourFiles()
{
    const char* v = std::getenv("RBX_BENCH_HOUR");
    return v != nullptr && std::string(v) == "1";
}

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
        if (WithHourFiles()) {
            for (const Kind& kind : kHourKinds) {
                const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i "
                                            "sine=frequency=440:sample_rate=44100:duration=3600 -ac 2 " +
                                            std::string(kind.codecArgs) + " '" + of(kind) +
                                            "' >/dev/null 2>&1";
                ok_ = ok_ && std::system(command.c_str()) == 0;
            }
        }
    }
    // A copy under a new name (new identity): no index of it exists yet in this process. With
    // dropCache its pages are written out and dropped from the page cache.
    std::string freshCopy(const Kind& kind, bool dropCache) const
    {
        const std::filesystem::path copy = path_ / ("copy-" + std::to_string(++copies_) + "-" + kind.file);
        std::filesystem::copy_file(of(kind), copy);
        const int fd = ::open(copy.c_str(), O_RDONLY);
        if (fd >= 0) {
            if (dropCache) {
                ::fdatasync(fd);
                ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            }
            ::close(fd);
        }
        return copy.string();
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string of(const Kind& kind) const { return (path_ / kind.file).string(); }
    bool ok() const { return ok_; }

private:
    std::filesystem::path path_;
    bool ok_ = true;
    mutable int copies_ = 0;
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

enum class Temperature
{
    Cold,
    Warm,
    Again
};

const char* NameOf(Temperature t)
{
    return t == Temperature::Cold ? "cold" : t == Temperature::Warm ? "warm" : "again";
}

// Runs `measure` on a freshly opened source once per iteration, timed from the open. Closing,
// copying and removing the copy are not timed.
template <typename Measure>
void OpenedEachTime(benchmark::State& state, const Kind& kind, Temperature temperature, Measure measure)
{
    const bool copy = temperature != Temperature::Again;
    std::string path = Files().of(kind);
    for (auto _ : state) {
        if (copy) {
            state.PauseTiming();
            path = Files().freshCopy(kind, temperature == Temperature::Cold);
            state.ResumeTiming();
        }
        int code = 0;
        auto source = OpenAudioFile(path, 2, code);
        if (source == nullptr || !measure(*source)) {
            state.SkipWithError("failed");
            return;
        }
        state.PauseTiming();
        source.reset();
        if (copy) {
            std::filesystem::remove(path);
        }
        state.ResumeTiming();
    }
}

void OpenToExactLength(benchmark::State& state, const Kind& kind, Temperature temperature)
{
    OpenedEachTime(state, kind, temperature, [](PcmSource& source) {
        benchmark::DoNotOptimize(source.lengthFrames());
        return true;
    });
}

// Open, move to the middle and read the first frames there: what a click on the progress bar of a
// sound just started costs.
void OpenAndSeekToMiddle(benchmark::State& state, const Kind& kind, Temperature temperature)
{
    std::int64_t middle = 0;
    {
        int code = 0;
        auto probe = OpenAudioFile(Files().of(kind), 2, code);
        if (probe == nullptr) {
            state.SkipWithError("open failed");
            return;
        }
        middle = probe->lengthFrames() / 2;
    }
    std::vector<std::int16_t> buffer(1024 * 2);
    OpenedEachTime(state, kind, temperature, [&](PcmSource& source) {
        return source.seekFrame(middle) && source.read(buffer.data(), 1024) == 1024;
    });
}

// Cold and warm cases: one open per repetition, so each figure is one open; min, median and max.
template <typename Function>
void RegisterPerOpen(const std::string& name, Function function, const Kind& kind, Temperature temperature,
                     int repetitions)
{
    benchmark::RegisterBenchmark(name.c_str(), function, kind, temperature)
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics(
            "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics(
            "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

void RegisterOpenCases(const Kind& kind, int repetitions)
{
    const std::string label = kind.label;
    for (const Temperature t : {Temperature::Cold, Temperature::Warm}) {
        RegisterPerOpen(std::string("OpenToExactLength/") + NameOf(t) + "/" + label, OpenToExactLength, kind,
                        t, repetitions);
        RegisterPerOpen(std::string("OpenAndSeekToMiddle/") + NameOf(t) + "/" + label, OpenAndSeekToMiddle,
                        kind, t, repetitions);
    }
    benchmark::RegisterBenchmark(("OpenToExactLength/again/" + label).c_str(), OpenToExactLength, kind,
                                 Temperature::Again)
        ->Unit(benchmark::kMicrosecond);
}

// Seeks within an open file whose length is known, each followed by its first frames.
void SeekWhileOpen(benchmark::State& state, const Kind& kind)
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
        RegisterOpenCases(kind, 15);
        benchmark::RegisterBenchmark(("SeekWhileOpen/" + label).c_str(), SeekWhileOpen, kind)
            ->Unit(benchmark::kMicrosecond);
    }
    if (WithHourFiles()) {
        for (const Kind& kind : kHourKinds) {
            const std::string label = kind.label;
            benchmark::RegisterBenchmark(("OpenToFirstFrame/" + label).c_str(), OpenToFirstFrame, kind)
                ->Unit(benchmark::kMicrosecond);
            RegisterOpenCases(kind, 9);
            benchmark::RegisterBenchmark(("SeekWhileOpen/" + label).c_str(), SeekWhileOpen, kind)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
