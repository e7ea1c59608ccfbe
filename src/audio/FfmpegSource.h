#pragma once

#include "FfmpegFrameIndex.h"
#include "FfmpegInput.h"
#include "PcmSource.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// A sound file decoded by FFmpeg, delivered as interleaved 16-bit PCM at the file's own rate.
//
// Positions are kept one of two ways:
// - by timestamps (PCM, FLAC, Vorbis and other codecs whose containers time every frame exactly):
//   the length is the container's stated count (WAV data size, FLAC total samples, the last Ogg
//   granule), seeks go through the demuxer, then decode and discard up to the exact frame;
// - by a packet index (MPEG audio layers 1-3 and WMA, whose containers time frames only roughly):
//   a helper thread records where every packet starts in the decoder's output; encoder delay
//   and padding that the file declares (LAME/Xing tag) are trimmed here; seeks start a few
//   packets early (bit reservoir and filter memory) and discard the pre-roll. WMA on a frame
//   grid (FfmpegPacketGrid) needs no such record: a seek asks the demuxer for a time and the
//   packet it lands on is placed by its own time. An MPEG seek past what the scan has counted
//   waits for it only briefly: then it starts where the file's start estimates the frame lies
//   (MpegSeekEstimate, exact for constant bit rates), and the packets are placed by the estimate
//   until the index reaches them. From there the places are exact, and the count handed out
//   never goes back: a sound found behind it passes over the frames between, once; a sound found
//   ahead of it goes on unbroken (the caller's count stays behind by the estimate's error until
//   its next seek).
//
// Threads: read() and seekFrame() from one thread at a time (the feeder); lengthFrames() and
// lengthFramesWithin() from any thread. lengthFrames() may wait for the helper thread's scan
// (packets only for MPEG audio: a few ms for a song; a decode pass for WMA); lengthFramesWithin()
// waits no longer than it is told and then estimates from the container; when the container
// states no length at all, any wait at all means waiting for the scan (there is nothing to
// estimate from, and a partial count would be shorter than what plays).
class FfmpegSource final : public PcmSource
{
public:
    // Opens and decodes the first packet, so the first read() returns at once.
    // Returns null with a BassError code on failure. The open and that first packet are bounded
    // as FfmpegInput::openBounded() says, `stop` included.
    static std::unique_ptr<FfmpegSource> Open(const std::string& path, int outputChannels, int& errorCode,
                                              const std::atomic<bool>* stop = nullptr);

    ~FfmpegSource() override;

    int sampleRate() const override { return sampleRate_; }
    int channels() const override { return outputChannels_; }
    std::int64_t lengthFrames() const override;
    std::int64_t lengthFramesWithin(std::chrono::milliseconds maxWait, bool& exact) const override;
    bool fileChanged() const override { return changed_; }
    std::int64_t read(std::int16_t* interleaved, std::int64_t frames) override;
    bool seekFrame(std::int64_t frame) override;

private:
    FfmpegSource(std::string path, int outputChannels);
    bool start(int& errorCode, const std::atomic<bool>* stop);
    bool reopen();
    bool fillPending();
    bool fillByTimestamps();
    enum class Fill
    {
        Ok,
        End,
        Lost
    };
    Fill fillByIndex();
    bool placePacket(std::int64_t& rawStart);
    std::int64_t settleEstimate(std::int64_t exactStart);
    void fillFrom(std::int64_t rawStart, std::int64_t want, std::int64_t to);
    void takeChunk(std::int64_t firstFrame);
    void endHere();
    std::int64_t knownLengthOrMinusOne() const;
    bool seekByTimestamps(std::int64_t frame);
    bool seekByIndex(std::int64_t frame);
    bool seekOnGrid(std::int64_t frame);
    bool seekByEstimate(std::int64_t frame);
    void restartDecoding(std::int64_t rawNext, bool findPacket, std::int64_t frame);
    bool decodeFromStartTo(std::int64_t frame);
    std::int64_t copyOut(std::int16_t* out, std::int64_t frames);

    const std::string path_;
    const int outputChannels_;
    int sampleRate_ = 0;
    bool byIndex_ = false;
    int prerollPackets_ = 0;
    std::unique_ptr<FfmpegInput> input_;
    std::shared_ptr<FfmpegFrameIndex> index_; // shared with other streams of the file
    mutable std::atomic<std::int64_t> length_{-1};

    FfmpegInput::Chunk chunk_;          // last decoded packet
    std::vector<std::int16_t> pending_; // stereo frames ready to deliver
    std::int64_t pendingFrames_ = 0;
    std::int64_t pendingOffset_ = 0;
    std::int64_t position_ = 0;       // next frame read() delivers
    std::int64_t skipStart_ = 0;      // decoder-output frames before the first delivered one
    std::int64_t rawNext_ = 0;        // decoder-output frame the next packet starts at
    std::int64_t lastPacketPos_ = -1; // container packet of the last decoded chunk
    std::int64_t roughRawFrames_ = 0; // the container's estimate, for when waits are needless
    bool mustFindPacket_ = false;     // after a seek: the first packet must be in the index
    bool seekOnGrid_ = false;         // ... or found by its time on grid_
    bool placeByEstimate_ = false;    // ... or placed by estimate_
    bool estimated_ = false;          // packets are placed by the estimate until the index has them
    bool estimateFilled_ = false;     // frames were handed out under the estimate's places
    MpegSeekEstimate estimate_;
    FfmpegPacketGrid::Grid grid_;
    bool ended_ = false;
    // The file's size and modification time when it was opened; read() checks them after every
    // decode, so that no sample decoded from a changed file is handed out.
    std::int64_t openedBytes_ = -1;
    std::int64_t openedModifiedNs_ = -1;
    bool changed_ = false;
    // An open that took longer is taken for one of a file on slow storage.
    static constexpr auto kSlowOpen = std::chrono::milliseconds(10);
    // How long a seek waits for the scan to count up to its place before it starts from the
    // estimate, which for a file of varying rate may be a tenth of a second out: the scan of a
    // song's frames takes a few ms. None on slow storage, where the scan would not come in time.
    std::chrono::milliseconds scanCatchUp_{40};
};
