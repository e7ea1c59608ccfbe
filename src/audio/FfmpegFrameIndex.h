#pragma once

#include "FfmpegPacketGrid.h"
#include "MpegSeekEstimate.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Scans a whole file on a helper thread, recording where each packet starts in the decoder's
// output, so that the length is exact and seeks can land on the right packet. MPEG audio is
// scanned by its packets alone (a few ms for an hour in the page cache); WMA whose packets sit
// on a frame grid (see FfmpegPacketGrid) is measured from its first and last packets, with no
// entries; other codecs are decoded to count.
// All public calls are thread-safe; the waits end when the scan passes the point or finishes.
class FfmpegFrameIndex
{
public:
    enum class Mode
    {
        Packets,
        Grid, // falls back to Decode when the file is not on a grid
        Decode
    };
    struct Entry
    {
        std::int64_t pos = -1;     // byte position of the packet
        std::int64_t rawStart = 0; // its first frame in the undecimated decoder output
    };

    FfmpegFrameIndex(std::string path, Mode mode);
    ~FfmpegFrameIndex();
    FfmpegFrameIndex(const FfmpegFrameIndex&) = delete;
    FfmpegFrameIndex& operator=(const FfmpegFrameIndex&) = delete;

    // Blocks until the scan has counted past rawFrame or ended.
    void waitCovered(std::int64_t rawFrame);
    // The same, at most maxWait; true when the scan has counted past rawFrame or ended.
    bool waitCoveredFor(std::int64_t rawFrame, std::chrono::milliseconds maxWait);
    // True when the scan has counted past rawFrame or ended.
    bool covers(std::int64_t rawFrame) const;
    // MPEG audio (Packets mode): where the frames lie as the file's start tells, for a seek that
    // need not wait for the scan. Waits only for those few KB to be read; false once the scan
    // has finished (exact places are known then) or when the file gives no estimate.
    bool estimate(MpegSeekEstimate& out) const;
    // For tests: while held, scans stop after the estimate (decoding scans after their first
    // packet), as a long file's scan of a file not in the page cache would still be running.
    static void HoldScans(bool hold);
    void waitDone();
    // As waitDone, but gives up after maxWait; true when the scan has finished.
    bool waitDoneFor(std::chrono::milliseconds maxWait);
    bool done() const { return done_.load(std::memory_order_acquire); }

    // Valid once done(): frames the decoder outputs for the whole file, and the encoder delay and
    // padding the file declares (in Packets mode; Decode mode reports the delay only). Before
    // that, totalFrames() is what the scan has counted so far.
    std::int64_t totalFrames() const;
    // Before done(): what the count so far comes to over the whole file, by the bytes the scan
    // has passed (a file that states no length of its own); the count itself once done().
    std::int64_t projectedFrames() const;
    std::int64_t declaredSkipStart() const;
    std::int64_t declaredSkipEnd() const;

    // The packet `back` packets before the one holding rawFrame (clamped to the first); false
    // when the scan has not reached rawFrame.
    bool entryBefore(std::int64_t rawFrame, int back, Entry& out) const;
    // The decoder-output start of the packet at byte position pos; false when unknown.
    bool rawStartOf(std::int64_t pos, std::int64_t& rawStart) const;
    // Valid once done(): true when positions follow packet times on grid().
    bool onGrid() const;
    FfmpegPacketGrid::Grid grid() const;

private:
    void run(std::string path, Mode mode);
    // MPEG audio read header by header (a few ms for an hour); false when the file needs FFmpeg.
    bool scanMpegHeaders(const std::string& path);
    bool measureGrid(const std::string& path);
    void readEstimate(const std::string& path);
    void finish();
    void waitWhileHeld();
    void scanPackets(class FfmpegInput& input);
    void scanDecoded(class FfmpegInput& input);
    void add(std::int64_t pos, std::int64_t frames);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Entry> entries_;
    std::int64_t covered_ = 0;
    std::int64_t fileBytes_ = 0;
    std::int64_t skipStart_ = 0;
    std::int64_t skipEnd_ = 0;
    bool onGrid_ = false;
    bool estimateTried_ = false;
    bool hasEstimate_ = false;
    MpegSeekEstimate estimate_;
    FfmpegPacketGrid::Grid grid_;
    std::atomic<bool> done_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
