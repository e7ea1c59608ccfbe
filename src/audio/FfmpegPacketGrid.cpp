#include "FfmpegPacketGrid.h"

#include "FfmpegInput.h"

#include <algorithm>

namespace {
// Packets decoded from the start to check the model: a few seconds of sound.
constexpr int kPacketsChecked = 64;
// How much of the end is decoded to measure the length; a packet holds far less.
constexpr std::int64_t kTailSeconds = 3;
constexpr std::int64_t kFarBeyondAnyFileSeconds = 48 * 3600;
// Bounds the tail decode should the demuxer land far earlier than asked.
constexpr int kMaxTailChunks = 1 << 16;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Follows decoded chunks, checking that each packet's time names the frame the count has
// reached. Several chunks of one packet share its time: only the first is checked.
class Follower
{
public:
    explicit Follower(FfmpegPacketGrid::Grid& grid) : grid_(grid) {}

    // The first chunk after a seek starts where its time says; false when it has no time.
    bool start(const FfmpegInput::Chunk& chunk)
    {
        if (chunk.packetTime == FfmpegInput::kNoTime) {
            return false;
        }
        count_ = FfmpegPacketGrid::StartOf(grid_, chunk.packetTime);
        lastTime_ = chunk.packetTime;
        return take(chunk);
    }
    bool next(const FfmpegInput::Chunk& chunk)
    {
        if (chunk.packetTime == FfmpegInput::kNoTime) {
            return false;
        }
        if (chunk.packetTime != lastTime_ && FfmpegPacketGrid::StartOf(grid_, chunk.packetTime) != count_) {
            return false;
        }
        lastTime_ = chunk.packetTime;
        return take(chunk);
    }
    std::int64_t count() const { return count_; }

private:
    bool take(const FfmpegInput::Chunk& chunk)
    {
        count_ += chunk.frames;
        return chunk.frames % grid_.frameLength == 0;
    }

    FfmpegPacketGrid::Grid& grid_;
    std::int64_t count_ = 0;
    std::int64_t lastTime_ = FfmpegInput::kNoTime;
};

// Decodes the first packets; true with the whole length when the file ended among them.
bool CheckStart(FfmpegInput& input, FfmpegPacketGrid::Grid& grid, bool& ended)
{
    FfmpegInput::Chunk chunk;
    if (input.decodeNext(chunk) != 1 || chunk.packetTime == FfmpegInput::kNoTime) {
        return false;
    }
    grid.origin = chunk.packetTime;
    Follower follow(grid);
    if (!follow.start(chunk) || follow.count() != chunk.frames) {
        return false;
    }
    for (int packets = 1; packets < kPacketsChecked; ++packets) {
        const int r = input.decodeNext(chunk);
        if (r == 0) {
            grid.totalFrames = follow.count();
            ended = true;
            return true;
        }
        if (r < 0 || !follow.next(chunk)) {
            return false;
        }
    }
    ended = false;
    return true;
}

bool MeasureTail(FfmpegInput& input, FfmpegPacketGrid::Grid& grid, const std::atomic<bool>& stop)
{
    // A file cut short states no length: asked for a time past any file, the demuxer lands on
    // the last packet whose time it can read.
    const std::int64_t stated = input.statedLengthFrames();
    const std::int64_t from = stated > 0
                                  ? std::max<std::int64_t>(stated - kTailSeconds * input.sampleRate(), 0)
                                  : kFarBeyondAnyFileSeconds * input.sampleRate();
    if (!input.seekToFrameTimestamp(FfmpegPacketGrid::TimeOf(grid, from))) {
        return false;
    }
    FfmpegInput::Chunk chunk;
    if (input.decodeNext(chunk) != 1) {
        return false;
    }
    Follower follow(grid);
    if (!follow.start(chunk)) {
        return false;
    }
    for (int chunks = 0; chunks < kMaxTailChunks && !stop.load(std::memory_order_acquire); ++chunks) {
        const int r = input.decodeNext(chunk);
        if (r == 0) {
            grid.totalFrames = follow.count();
            return grid.totalFrames > 0;
        }
        // An undecodable run at the end: a full decode decides where the file stops.
        if (r < 0 || !follow.next(chunk)) {
            return false;
        }
    }
    return false;
}
} // namespace

namespace FfmpegPacketGrid {
std::int64_t StartOf(const Grid& grid, std::int64_t time)
{
    return FloorDiv(time - grid.origin + grid.frameLength / 2, grid.frameLength) * grid.frameLength;
}

std::int64_t TimeOf(const Grid& grid, std::int64_t raw)
{
    return raw + grid.origin;
}

bool Measure(const std::string& path, Grid& grid, const std::atomic<bool>& stop)
{
    FfmpegInput input;
    int errorCode = 0;
    if (!input.open(path, errorCode) || !input.framesFollowPacketTimes()) {
        return false;
    }
    grid = Grid{};
    grid.frameLength = FfmpegInput::InherentDelayFrames(input.codecId(), input.sampleRate());
    if (grid.frameLength <= 0) {
        return false;
    }
    bool ended = false;
    if (!CheckStart(input, grid, ended)) {
        return false;
    }
    return ended || MeasureTail(input, grid, stop);
}
} // namespace FfmpegPacketGrid
