#pragma once

#include <atomic>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVIOContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

// One opened sound file: demuxer, decoder and sample-format converter, producing interleaved
// 16-bit stereo (a mono file is copied to both sides, more channels are mixed down to two).
// Not thread-safe; each thread that reads a file opens its own FfmpegInput.
class FfmpegInput
{
public:
    // A run of decoded frames from one packet.
    struct Chunk
    {
        std::vector<std::int16_t> stereo; // interleaved L R
        std::int64_t frames = 0;
        std::int64_t packetPos = -1;       // byte position of the packet it came from, -1 unknown
        std::int64_t startFrame = -1;      // from the frame's timestamp, -1 unknown
        std::int64_t packetTime = kNoTime; // the container's time of that packet, in frames
    };
    static constexpr std::int64_t kNoTime = INT64_MIN;
    // One packet as seen by the demuxer alone.
    struct PacketInfo
    {
        std::int64_t pos = -1;
        std::int64_t frames = 0;    // its duration in frames, 0 unknown
        std::int64_t skipStart = 0; // frames the file asks to drop from its start (encoder delay)
        std::int64_t skipEnd = 0;   // frames the file asks to drop from its end (padding)
    };

    FfmpegInput() = default;
    ~FfmpegInput();
    FfmpegInput(const FfmpegInput&) = delete;
    FfmpegInput& operator=(const FfmpegInput&) = delete;

    // Opens the file. Returns false with a BassError code. For codecs whose frames the container
    // times only roughly (see TimesFramesRoughly) the decoder keeps encoder delay and padding in
    // its output, so the caller can trim them against its own packet index.
    bool open(const std::string& path, int& errorCode);
    // The same, for a file not known yet, with the reading bounded until openingDone(): once
    // `stop` (may be null) turns true or more than kMaxOpeningBytes were read, every read fails
    // and the file is refused with BassError::FileFormat. A header that cannot be read within
    // those bounds (a valid WAV followed by a long run of zero bytes is walked eight bytes at a
    // time) is not worth waiting for.
    bool openBounded(const std::string& path, int& errorCode, const std::atomic<bool>* stop);
    // Lifts the bounds of opening: playing reads as much of the file as it holds.
    void openingDone();
    // True once a read was cut off by the bounds of opening.
    bool openingCutOff() const { return cutOff_; }
    static constexpr std::int64_t kMaxOpeningBytes = 32LL << 20;

    // MPEG audio layers 1-3 and WMA: containers whose timestamps are estimates.
    static bool TimesFramesRoughly(int codecId);
    static bool IsMpegAudio(int codecId);
    static bool IsLayer3(int codecId);
    static bool IsPcm(int codecId);
    // WMA 1 or 2 coded without a bit reservoir: every packet the decoder takes holds one whole
    // frame of InherentDelayFrames() samples, so the container's packet times (milliseconds)
    // place each packet exactly on that frame grid.
    bool framesFollowPacketTimes() const;

    int sampleRate() const { return sampleRate_; }
    int sourceChannels() const { return sourceChannels_; }
    int codecId() const { return codecId_; }
    // Length the container states, in frames; -1 when it states none.
    std::int64_t statedLengthFrames() const { return statedFrames_; }
    // Frames before the first real sample: what the first packet declares (encoder delay and
    // decoder delay, known once it has been read), else the codec's own decoder delay.
    std::int64_t declaredSkipStart() const { return declaredSkipStart_; }
    // The decoder delay of codecs whose files do not declare one: the synthesis filter bank of
    // MPEG audio, the first (overlap-only) transform block of WMA 1 and 2; 0 for the others.
    static std::int64_t InherentDelayFrames(int codecId, int sampleRate);

    // Decodes the next packet that yields audio. Returns 1 with chunk filled, 0 at the end of the
    // file, -1 after too many undecodable packets in a row.
    int decodeNext(Chunk& chunk);
    // Reads the next packet of the audio stream without decoding it. Returns 1, 0 at the end.
    int nextPacket(PacketInfo& info);

    // Seeks to a timestamp (in frames from the start) at or before `frame`; flushes the decoder.
    bool seekToFrameTimestamp(std::int64_t frame);
    // Seeks to a packet's byte position; flushes the decoder.
    bool seekToByte(std::int64_t pos);

private:
    bool selectStream(const struct AVCodec*& decoder, int& errorCode);
    bool openDecoder(int& errorCode);
    int readAudioPacket();
    std::int64_t packetTimeInFrames() const;
    bool convertFrame(Chunk& chunk);
    bool ensureConverter();
    void noteSkipData();
    void close();
    static int CutOffOpening(void* self);
    static int ReadFile(void* self, std::uint8_t* buffer, int bytes);
    static std::int64_t SeekFile(void* self, std::int64_t offset, int whence);

    int fd_ = -1;
    std::int64_t fileBytes_ = 0; // when opened
    std::int64_t readAt_ = 0;    // where the next read of fd_ starts
    AVIOContext* io_ = nullptr; // reads fd_ in large blocks
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    SwrContext* swr_ = nullptr;
    int swrFormat_ = -1;
    int swrChannels_ = 0;
    int swrRate_ = 0;
    int streamIndex_ = -1;
    int sampleRate_ = 0;
    int sourceChannels_ = 0;
    int codecId_ = 0;
    std::int64_t statedFrames_ = -1;
    std::int64_t declaredSkipStart_ = 0;
    bool skipDeclared_ = false;
    std::int64_t packetPos_ = -1;
    std::int64_t packetTime_ = kNoTime;
    bool endOfFile_ = false;
    bool drained_ = false;
    std::vector<std::int16_t> convertBuffer_;
    bool opening_ = false;
    const std::atomic<bool>* stop_ = nullptr;
    bool cutOff_ = false;
};
