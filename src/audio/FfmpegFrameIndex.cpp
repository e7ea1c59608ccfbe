#include "FfmpegFrameIndex.h"

#include "FfmpegInput.h"
#include "MpegFrameScan.h"

#include <algorithm>
#include <filesystem>

namespace {
// Far more than any codec puts in one packet (a second at the highest rate is 192000 frames).
constexpr std::int64_t kMaxPacketFrames = std::int64_t{1} << 24;

std::mutex holdMutex;
std::condition_variable holdChanged;
bool held = false;
// Where a held decoding scan stops: enough packets to tell the file's frames per byte.
constexpr int kHeldDecodedPackets = 8;
} // namespace

void FfmpegFrameIndex::HoldScans(bool hold)
{
    {
        std::lock_guard lock(holdMutex);
        held = hold;
    }
    holdChanged.notify_all();
}

void FfmpegFrameIndex::readEstimate(const std::string& path)
{
    MpegSeekEstimate estimate;
    const bool ok = MpegSeekEstimate::Read(path, estimate);
    {
        std::lock_guard lock(mutex_);
        estimate_ = std::move(estimate);
        hasEstimate_ = ok;
        estimateTried_ = true;
    }
    changed_.notify_all();
    waitWhileHeld();
}

void FfmpegFrameIndex::waitWhileHeld()
{
    std::unique_lock lock(holdMutex);
    holdChanged.wait(lock, [&] { return !held || stop_.load(std::memory_order_acquire); });
}

bool FfmpegFrameIndex::estimate(MpegSeekEstimate& out) const
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return estimateTried_ || done_.load(std::memory_order_acquire); });
    if (!hasEstimate_ || done_.load(std::memory_order_acquire)) {
        return false;
    }
    out = estimate_;
    return true;
}

bool FfmpegFrameIndex::covers(std::int64_t rawFrame) const
{
    std::lock_guard lock(mutex_);
    return covered_ > rawFrame || done_.load(std::memory_order_acquire);
}

FfmpegFrameIndex::FfmpegFrameIndex(std::string path, Mode mode)
    : thread_([this, p = std::move(path), mode]() mutable { run(std::move(p), mode); })
{}

FfmpegFrameIndex::~FfmpegFrameIndex()
{
    {
        std::lock_guard lock(holdMutex);
        stop_.store(true, std::memory_order_release);
    }
    holdChanged.notify_all();
    thread_.join();
}

bool FfmpegFrameIndex::scanMpegHeaders(const std::string& path)
{
    MpegFrameScan::Result scan;
    if (!MpegFrameScan::Scan(path, scan)) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        entries_.reserve(scan.frames.size());
        for (const MpegFrameScan::Frame& frame : scan.frames) {
            entries_.push_back(Entry{frame.pos, covered_});
            covered_ += frame.frames;
        }
        skipStart_ = scan.skipStart;
        skipEnd_ = scan.skipEnd;
    }
    changed_.notify_all();
    return true;
}

bool FfmpegFrameIndex::measureGrid(const std::string& path)
{
    FfmpegPacketGrid::Grid grid;
    if (!FfmpegPacketGrid::Measure(path, grid, stop_)) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        grid_ = grid;
        onGrid_ = true;
        covered_ = grid.totalFrames;
    }
    changed_.notify_all();
    return true;
}

void FfmpegFrameIndex::run(std::string path, Mode mode)
{
    try {
        if (mode == Mode::Packets) {
            readEstimate(path);
        }
        if ((mode == Mode::Packets && scanMpegHeaders(path)) || (mode == Mode::Grid && measureGrid(path))) {
            finish();
            return;
        }
        {
            std::error_code error;
            const auto bytes = std::filesystem::file_size(path, error);
            std::lock_guard lock(mutex_);
            fileBytes_ = error ? 0 : static_cast<std::int64_t>(bytes);
        }
        FfmpegInput input;
        int errorCode = 0;
        if (input.open(path, errorCode)) {
            if (mode == Mode::Packets) {
                scanPackets(input);
            } else {
                scanDecoded(input);
            }
        }
    } catch (...) {
        // Out of memory or anything else a damaged file provokes: what was counted stands, the
        // stream then ends where the count ended, and no exception leaves this thread.
    }
    finish();
}

void FfmpegFrameIndex::finish()
{
    {
        std::lock_guard lock(mutex_);
        done_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
}

void FfmpegFrameIndex::add(std::int64_t pos, std::int64_t frames)
{
    // A packet's duration comes from the file: a damaged header may claim anything, and the
    // running count must neither overflow nor run backwards.
    frames = std::clamp<std::int64_t>(frames, 0, kMaxPacketFrames);
    {
        std::lock_guard lock(mutex_);
        entries_.push_back(Entry{pos, covered_});
        covered_ += frames;
    }
    changed_.notify_all();
}

void FfmpegFrameIndex::scanPackets(FfmpegInput& input)
{
    FfmpegInput::PacketInfo info;
    bool first = true;
    while (!stop_.load(std::memory_order_acquire) && input.nextPacket(info) == 1) {
        if (info.frames <= 0) {
            continue;
        }
        {
            std::lock_guard lock(mutex_);
            if (first) {
                skipStart_ = info.skipStart;
            }
            skipEnd_ += info.skipEnd;
        }
        first = false;
        add(info.pos, info.frames);
    }
}

void FfmpegFrameIndex::scanDecoded(FfmpegInput& input)
{
    FfmpegInput::Chunk chunk;
    std::int64_t pendingPos = -1;
    std::int64_t pendingFrames = 0;
    bool havePending = false;
    int entries = 0;
    while (!stop_.load(std::memory_order_acquire) && input.decodeNext(chunk) == 1) {
        if (havePending && chunk.packetPos == pendingPos && pendingPos >= 0) {
            pendingFrames += chunk.frames;
            continue;
        }
        if (havePending) {
            add(pendingPos, pendingFrames);
            if (++entries == kHeldDecodedPackets) {
                waitWhileHeld();
            }
        }
        pendingPos = chunk.packetPos;
        pendingFrames = chunk.frames;
        havePending = true;
    }
    if (havePending) {
        add(pendingPos, pendingFrames);
    }
    std::lock_guard lock(mutex_);
    skipStart_ = input.declaredSkipStart();
}

void FfmpegFrameIndex::waitCovered(std::int64_t rawFrame)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return covered_ > rawFrame || done_.load(std::memory_order_acquire); });
}

bool FfmpegFrameIndex::waitCoveredFor(std::int64_t rawFrame, std::chrono::milliseconds maxWait)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, maxWait,
                             [&] { return covered_ > rawFrame || done_.load(std::memory_order_acquire); });
}

void FfmpegFrameIndex::waitDone()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_.load(std::memory_order_acquire); });
}

bool FfmpegFrameIndex::waitDoneFor(std::chrono::milliseconds maxWait)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, maxWait, [&] { return done_.load(std::memory_order_acquire); });
}

std::int64_t FfmpegFrameIndex::totalFrames() const
{
    std::lock_guard lock(mutex_);
    return covered_;
}

std::int64_t FfmpegFrameIndex::projectedFrames() const
{
    std::lock_guard lock(mutex_);
    if (done_.load(std::memory_order_acquire) || entries_.size() < 2) {
        return covered_;
    }
    // Frames per byte between the first and the last packet counted, over the bytes still ahead.
    const Entry& first = entries_.front();
    const Entry& last = entries_.back();
    const std::int64_t bytes = last.pos - first.pos;
    const std::int64_t ahead = fileBytes_ - last.pos;
    if (bytes <= 0 || ahead <= 0) {
        return covered_;
    }
    const double perByte = static_cast<double>(last.rawStart - first.rawStart) / static_cast<double>(bytes);
    return last.rawStart + static_cast<std::int64_t>(perByte * static_cast<double>(ahead));
}

std::int64_t FfmpegFrameIndex::declaredSkipStart() const
{
    std::lock_guard lock(mutex_);
    return skipStart_;
}

std::int64_t FfmpegFrameIndex::declaredSkipEnd() const
{
    std::lock_guard lock(mutex_);
    return skipEnd_;
}

bool FfmpegFrameIndex::entryBefore(std::int64_t rawFrame, int back, Entry& out) const
{
    std::lock_guard lock(mutex_);
    if (entries_.empty() || rawFrame >= covered_) {
        return false;
    }
    const auto after = std::upper_bound(entries_.begin(), entries_.end(), rawFrame,
                                        [](std::int64_t f, const Entry& e) { return f < e.rawStart; });
    const auto holding = static_cast<std::int64_t>(after - entries_.begin()) - 1;
    out = entries_[static_cast<std::size_t>(std::max<std::int64_t>(0, holding - back))];
    return true;
}

bool FfmpegFrameIndex::onGrid() const
{
    std::lock_guard lock(mutex_);
    return onGrid_;
}

FfmpegPacketGrid::Grid FfmpegFrameIndex::grid() const
{
    std::lock_guard lock(mutex_);
    return grid_;
}

bool FfmpegFrameIndex::rawStartOf(std::int64_t pos, std::int64_t& rawStart) const
{
    std::lock_guard lock(mutex_);
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), pos,
                                     [](const Entry& e, std::int64_t p) { return e.pos < p; });
    if (it == entries_.end() || it->pos != pos) {
        return false;
    }
    rawStart = it->rawStart;
    return true;
}
