// links: rbx_audio
// A seek as the first action on a one-hour MPEG file: open, move to the middle or near the end and
// decode the first 1024 frames there, timed from the open. Beside ours, in the same repetition and
// on the same file in the same cache state, the peer: FFmpeg's own open and av_seek_frame in this
// process, decoding its first 1024 frames. The two alternate (which goes first changes every
// repetition); the time column is ours, the counter ffmpeg_ms the peer's, both as min/median/max.
// - "cold": the file's pages are dropped from the page cache (posix_fadvise DONTNEED) before each
//   of the two runs, and its modification time changed so that no packet index of it exists yet
//   in this process, as for a file played for the first time after start-up;
// - "warm": the same with the whole file read into the page cache first.
// The one-hour files (MP3 128 kbit/s, 57 MB; MP2 192 kbit/s, 86 MB) are made once with ffmpeg's
// encoders in $TMPDIR/rallybox-seek-bench and kept for later runs. RBX_SEEK_BENCH_REPS sets the
// repetitions (default 7). Run alone:  bench_audio_seek_cold --benchmark_filter=SeekToFirstFrames
#include "audio/FileDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kFirstFrames = 1024;

struct Kind
{
    const char* label;
    const char* file;
    const char* codecArgs;
};
const Kind kKinds[] = {
    {"MP3_1h", "hour.mp3", "-c:a libmp3lame -b:a 128k"},
    {"MP2_1h", "hour.mp2", "-c:a mp2 -b:a 192k"},
};

std::filesystem::path Folder()
{
    return std::filesystem::temp_directory_path() / "rallybox-seek-bench";
}

// A minute of pink noise encoded once, then repeated to an hour without re-encoding (the demuxer
// and muxer write a proper header for the whole hour).
bool MakeOnce(const Kind& kind)
{
    const std::filesystem::path path = Folder() / kind.file;
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) &&
        std::filesystem::file_size(path, error) > 40'000'000) {
        return true;
    }
    std::filesystem::create_directories(Folder());
    const std::string minute = (Folder() / (std::string("minute-") + kind.file)).string();
    const std::string part = path.string() + ".part" + std::string(std::strrchr(kind.file, '.'));
    const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i "
                             "anoisesrc=color=pink:amplitude=0.3:sample_rate=44100:duration=60 -ac 2 " +
                             std::string(kind.codecArgs) + " '" + minute +
                             "' && ffmpeg -nostdin -v error -y " + "-stream_loop 59 -i '" + minute +
                             "' -c copy '" + part + "' && mv '" + part + "' '" + path.string() + "'";
    return std::system(make.c_str()) == 0;
}

std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one;
}

// Puts the file in the asked cache state; with `fresh` it also gets a new modification time, so
// the decoder's shared packet index sees a file it has not scanned.
void Prepare(const std::string& path, bool cold, bool fresh)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    if (fresh) {
        static long long stamp = 1'000'000'000;
        const timespec times[2] = {{stamp, 0}, {stamp, 0}};
        ++stamp;
        ::futimens(fd, times);
    }
    if (cold) {
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    } else {
        std::vector<char> block(1 << 20);
        while (::read(fd, block.data(), block.size()) > 0) {
        }
    }
    ::close(fd);
}

// Ours: the decoder the program uses. The scan it starts is waited for outside the timing, so
// it does not read the file while the peer runs.
double OursMs(const std::string& path, std::int64_t frame, bool& ok)
{
    std::vector<std::int16_t> buffer(kFirstFrames * 2);
    const auto start = Clock::now();
    int code = 0;
    auto source = OpenAudioFile(path, 2, code);
    ok = source != nullptr && source->seekFrame(frame) &&
         source->read(buffer.data(), kFirstFrames) == kFirstFrames;
    const auto end = Clock::now();
    if (source != nullptr) {
        benchmark::DoNotOptimize(source->lengthFrames());
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

bool Complete(const AVFormatContext* format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* p = format->streams[i]->codecpar;
        if (p->codec_type == AVMEDIA_TYPE_AUDIO && p->codec_id != AV_CODEC_ID_NONE && p->sample_rate > 0 &&
            p->ch_layout.nb_channels > 0) {
            return true;
        }
    }
    return false;
}

// The peer: FFmpeg opened as our decoder opens it (no stream-info probe when the header says
// enough), av_seek_frame to the time, then decoded until 1024 frames came out.
double FfmpegMs(const std::string& path, std::int64_t frame, int rate, bool& ok)
{
    ok = false;
    const auto start = Clock::now();
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* decoded = av_frame_alloc();
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) == 0 &&
        (Complete(format) || avformat_find_stream_info(format, nullptr) >= 0)) {
        const AVCodec* decoder = nullptr;
        const int stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        codec = stream >= 0 ? avcodec_alloc_context3(decoder) : nullptr;
        if (codec != nullptr &&
            avcodec_parameters_to_context(codec, format->streams[stream]->codecpar) == 0 &&
            avcodec_open2(codec, decoder, nullptr) == 0) {
            const AVRational base = format->streams[stream]->time_base;
            const std::int64_t ts = av_rescale_q(frame, AVRational{1, rate}, base);
            int got = 0;
            if (av_seek_frame(format, stream, ts, AVSEEK_FLAG_BACKWARD) >= 0) {
                while (got < kFirstFrames && av_read_frame(format, packet) >= 0) {
                    if (packet->stream_index == stream && avcodec_send_packet(codec, packet) == 0) {
                        while (avcodec_receive_frame(codec, decoded) == 0) {
                            got += decoded->nb_samples;
                        }
                    }
                    av_packet_unref(packet);
                }
            }
            ok = got >= kFirstFrames;
        }
    }
    const auto end = Clock::now();
    av_frame_free(&decoded);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void SeekAsFirstAction(benchmark::State& state, const Kind& kind, double place, bool cold)
{
    const std::string path = (Folder() / kind.file).string();
    int code = 0;
    auto probe = OpenAudioFile(path, 2, code);
    if (probe == nullptr) {
        state.SkipWithError("open failed");
        return;
    }
    const std::int64_t frame = static_cast<std::int64_t>(static_cast<double>(probe->lengthFrames()) * place);
    const int rate = probe->sampleRate();
    probe.reset();
    static int repetition = 0;
    const bool oursFirst = (++repetition % 2) == 0;
    double ours = 0.0;
    double peer = 0.0;
    for (auto _ : state) {
        bool okOurs = true;
        bool okPeer = true;
        for (int turn = 0; turn < 2; ++turn) {
            Prepare(path, cold, true);
            if ((turn == 0) == oursFirst) {
                ours = OursMs(path, frame, okOurs);
            } else {
                peer = FfmpegMs(path, frame, rate, okPeer);
            }
        }
        if (!okOurs || !okPeer) {
            state.SkipWithError(okOurs ? "the peer's seek failed" : "our seek failed");
            return;
        }
        state.SetIterationTime(ours / 1000.0);
    }
    state.counters["ffmpeg_ms"] = peer;
    state.counters["load1"] = std::atof(LoadAverage().c_str());
}

void Register(const Kind& kind, const char* placeName, double place, bool cold, int repetitions)
{
    const std::string name = std::string(cold ? "ColdSeekToFirstFrames/" : "WarmSeekToFirstFrames/") +
                             kind.label + "/" + placeName;
    benchmark::RegisterBenchmark(name.c_str(), SeekAsFirstAction, kind, place, cold)
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics(
            "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics(
            "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}
} // namespace

int main(int argc, char** argv)
{
    for (const Kind& kind : kKinds) {
        if (!MakeOnce(kind)) {
            return 1;
        }
    }
    const char* reps = std::getenv("RBX_SEEK_BENCH_REPS");
    const int repetitions = reps != nullptr && std::atoi(reps) > 0 ? std::atoi(reps) : 7;
    for (const bool cold : {true, false}) {
        for (const Kind& kind : kKinds) {
            Register(kind, "middle", 0.5, cold, repetitions);
            Register(kind, "near_end", 0.97, cold, repetitions);
        }
    }
    benchmark::AddCustomContext("load_average_at_start", LoadAverage());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
