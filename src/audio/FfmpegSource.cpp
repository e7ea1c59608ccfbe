#include "FfmpegSource.h"

#include "BassErrorCodes.h"
#include "FfmpegIndexCache.h"

#include <algorithm>
#include <limits>
#include <new>

#include <sys/stat.h>

namespace {
// Encoder padding sits in the last packet or two; a decoded packet this far before the end of the
// scanned part of the file cannot be cut by it, so it may be delivered before the scan ends.
constexpr std::int64_t kEndMarginFrames = 16384;
// A sound whose playing would wait for the frame count (from half its rough length less the
// margin) within this many seconds of its start: its count is waited for when it is opened.
constexpr std::int64_t kFirstReadAheadSeconds = 2;
// Upper bound on packets one fill may pass over (pre-roll, encoder delay, undecodable runs).
constexpr int kMaxPacketsPerFill = 1 << 22;
// A decoder that drops a damaged packet leaves a gap; gaps up to this long are filled with
// silence so positions stay in step with the length.
constexpr std::int64_t kMaxGapSeconds = 10;
} // namespace

std::unique_ptr<FfmpegSource> FfmpegSource::Open(const std::string& path, int outputChannels, int& errorCode,
                                                 const std::atomic<bool>* stop)
{
    try {
        std::unique_ptr<FfmpegSource> source(new FfmpegSource(path, outputChannels == 1 ? 1 : 2));
        if (!source->start(errorCode, stop)) {
            return nullptr;
        }
        errorCode = BassError::Ok;
        return source;
    } catch (const std::bad_alloc&) {
        errorCode = BassError::Memory;
        return nullptr;
    }
}

FfmpegSource::FfmpegSource(std::string path, int outputChannels)
    : path_(std::move(path)), outputChannels_(outputChannels)
{}

// The index thread is joined first (declared after input_, so destroyed before it anyway).
FfmpegSource::~FfmpegSource()
{
    index_.reset();
}

namespace {
// Size and modification time (ns) of the file at path; false when it cannot be read.
bool FileStamp(const std::string& path, std::int64_t& bytes, std::int64_t& modifiedNs)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    bytes = static_cast<std::int64_t>(info.st_size);
    modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return true;
}
} // namespace

bool FfmpegSource::start(int& errorCode, const std::atomic<bool>* stop)
{
    // Before the first read: a change while the file is opened counts as a change.
    FileStamp(path_, openedBytes_, openedModifiedNs_);
    input_ = std::make_unique<FfmpegInput>();
    const auto opening = std::chrono::steady_clock::now();
    if (!input_->openBounded(path_, errorCode, stop)) {
        return false;
    }
    if (std::chrono::steady_clock::now() - opening > kSlowOpen) {
        scanCatchUp_ = std::chrono::milliseconds::zero();
    }
    sampleRate_ = input_->sampleRate();
    const int codec = input_->codecId();
    byIndex_ = FfmpegInput::TimesFramesRoughly(codec);
    if (byIndex_) {
        // Layer III reaches back up to 511 bytes into earlier frames (the bit reservoir): at low
        // bit rates that is several frames, plus one for the filter bank overlap.
        prerollPackets_ = FfmpegInput::IsLayer3(codec) ? 10 : FfmpegInput::IsMpegAudio(codec) ? 2 : 4;
        const FfmpegFrameIndex::Mode mode = FfmpegInput::IsMpegAudio(codec) ? FfmpegFrameIndex::Mode::Packets
                                            : input_->framesFollowPacketTimes()
                                                ? FfmpegFrameIndex::Mode::Grid
                                                : FfmpegFrameIndex::Mode::Decode;
        index_ = FfmpegIndexCache::Instance().Get(path_, mode);
    } else if (input_->statedLengthFrames() >= 0) {
        length_.store(input_->statedLengthFrames());
    } else {
        index_ = FfmpegIndexCache::Instance().Get(path_, FfmpegFrameIndex::Mode::Decode);
    }
    skipStart_ = -1;
    roughRawFrames_ = std::max<std::int64_t>(input_->statedLengthFrames(), 0);
    const bool decoded = fillPending();
    if (input_->openingCutOff() || (!decoded && !FfmpegInput::IsPcm(codec))) {
        // Nothing decodable at all (the container matched but its contents are not audio), or
        // not within the bounds of opening.
        errorCode = BassError::FileFormat;
        return false;
    }
    if (index_ != nullptr && byIndex_ && roughRawFrames_ > 0 &&
        roughRawFrames_ / 2 < kEndMarginFrames + kFirstReadAheadSeconds * sampleRate_) {
        // A short sound's playing would wait for the count within its first read-ahead, and
        // that wait holds the thread that feeds every playing sound: on slow storage the count
        // takes several reads. Waited for here instead, on the thread that opens the file.
        while (!index_->waitDoneFor(std::chrono::milliseconds(50))) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                errorCode = BassError::FileOpen;
                return false;
            }
        }
    }
    input_->openingDone();
    return true;
}

bool FfmpegSource::reopen()
{
    auto fresh = std::make_unique<FfmpegInput>();
    int errorCode = 0;
    if (!fresh->open(path_, errorCode)) {
        return false;
    }
    input_ = std::move(fresh);
    pendingFrames_ = 0;
    pendingOffset_ = 0;
    rawNext_ = 0;
    lastPacketPos_ = -1;
    estimated_ = false;
    ended_ = false;
    return true;
}

std::int64_t FfmpegSource::knownLengthOrMinusOne() const
{
    const std::int64_t known = length_.load();
    if (known >= 0 || index_ == nullptr || !index_->done()) {
        return known;
    }
    std::int64_t measured = index_->totalFrames();
    if (byIndex_) {
        measured -= std::max<std::int64_t>(skipStart_, 0) + index_->declaredSkipEnd();
    }
    std::int64_t expected = -1;
    length_.compare_exchange_strong(expected, std::max<std::int64_t>(measured, 0));
    return length_.load();
}

std::int64_t FfmpegSource::lengthFrames() const
{
    const std::int64_t known = knownLengthOrMinusOne();
    if (known >= 0) {
        return known;
    }
    index_->waitDone();
    return std::max<std::int64_t>(knownLengthOrMinusOne(), 0);
}

std::int64_t FfmpegSource::lengthFramesWithin(std::chrono::milliseconds maxWait, bool& exact) const
{
    std::int64_t known = knownLengthOrMinusOne();
    if (known < 0 && maxWait.count() > 0 && index_->waitDoneFor(maxWait)) {
        known = knownLengthOrMinusOne();
    }
    exact = known >= 0;
    if (exact) {
        return known;
    }
    // The container's figure (MPEG: the Xing frame count or the bit rate; WMA: the stated play
    // duration), less the encoder delay the file declares; never less than what the scan has
    // already counted. Without one (a stream written through a pipe, a cut WAV whose header no
    // longer fits the file), the scan's count so far carried over the whole file by its bytes:
    // the caller that may not wait shows that and asks again.
    const std::int64_t skip = byIndex_ ? std::max<std::int64_t>(skipStart_, 0) : 0;
    const std::int64_t counted = roughRawFrames_ > 0 ? index_->totalFrames() : index_->projectedFrames();
    return std::max<std::int64_t>({roughRawFrames_ - skip, counted - skip, 0});
}

void FfmpegSource::endHere()
{
    ended_ = true;
    pendingFrames_ = 0;
    pendingOffset_ = 0;
    if (index_ != nullptr) {
        index_->waitDone();
    }
    // A damaged or cut file ends before its stated length: from now on the length is what played.
    // Counted by the estimate, position_ is not a measure of the length.
    const std::int64_t known = knownLengthOrMinusOne();
    if (!estimated_ && (known < 0 || position_ < known)) {
        length_.store(position_);
    }
}

void FfmpegSource::takeChunk(std::int64_t firstFrame)
{
    pending_.swap(chunk_.stereo);
    pendingFrames_ = chunk_.frames;
    pendingOffset_ = firstFrame;
}

bool FfmpegSource::fillPending()
{
    if (ended_) {
        return false;
    }
    if (!byIndex_) {
        return fillByTimestamps();
    }
    const Fill fill = fillByIndex();
    if (fill == Fill::End) {
        endHere();
    }
    return fill == Fill::Ok;
}

bool FfmpegSource::fillByTimestamps()
{
    if (input_->decodeNext(chunk_) != 1) {
        endHere();
        return false;
    }
    takeChunk(0);
    return true;
}

// Where the packet just decoded starts in the decoder's output; false when a seek's first
// packet cannot be placed.
bool FfmpegSource::placePacket(std::int64_t& rawStart)
{
    // A container packet may hold several codec packets (ASF): only its first chunk starts
    // where the index says.
    rawStart = rawNext_;
    std::int64_t indexed = 0;
    const bool newPacket = chunk_.packetPos != lastPacketPos_;
    lastPacketPos_ = chunk_.packetPos;
    if (mustFindPacket_ && seekOnGrid_) {
        // Right after a jump: the packet's time names its frame.
        if (chunk_.packetTime == FfmpegInput::kNoTime) {
            return false;
        }
        rawStart = FfmpegPacketGrid::StartOf(grid_, chunk_.packetTime);
    } else if (chunk_.packetPos >= 0 && newPacket && index_->rawStartOf(chunk_.packetPos, indexed)) {
        rawStart = settleEstimate(indexed);
    } else if (mustFindPacket_ && placeByEstimate_ && chunk_.packetPos >= 0) {
        rawStart = estimate_.indexAt(chunk_.packetPos) * estimate_.samplesPerFrame();
        estimated_ = true;
    } else if (mustFindPacket_) {
        return false;
    }
    placeByEstimate_ = false;
    if (estimated_ &&
        estimate_.nearEnd(chunk_.packetPos, kEndMarginFrames / estimate_.samplesPerFrame() + 1)) {
        // Padding may cut one of the last packets: only the exact count tells which.
        index_->waitDone();
        if (index_->rawStartOf(chunk_.packetPos, indexed)) {
            rawStart = settleEstimate(indexed);
        }
    }
    return true;
}

// The index has reached a packet placed by the estimate (rawNext_ in the estimate's count). The
// count handed out so far never goes back: when the sound is behind it, the frames between are
// passed over (once, at this packet) and the count is exact from here; when the sound is ahead,
// it goes on unbroken and the stream's own count moves up to the exact place, so the caller's
// count stays behind by the estimate's error until its next seek. Before any frame was handed
// out the seek's own frame is kept instead: it is now found exactly.
std::int64_t FfmpegSource::settleEstimate(std::int64_t exactStart)
{
    if (estimated_ && estimateFilled_ && exactStart > rawNext_) {
        position_ += exactStart - rawNext_;
    }
    estimated_ = false;
    return exactStart;
}

FfmpegSource::Fill FfmpegSource::fillByIndex()
{
    for (int packets = 0; packets < kMaxPacketsPerFill; ++packets) {
        if (input_->decodeNext(chunk_) != 1) {
            return Fill::End;
        }
        if (skipStart_ < 0) {
            skipStart_ = input_->declaredSkipStart();
        }
        std::int64_t rawStart = 0;
        if (!placePacket(rawStart)) {
            return Fill::Lost;
        }
        const std::int64_t want = skipStart_ + position_;
        if (mustFindPacket_ && rawStart > want) {
            return Fill::Lost;
        }
        mustFindPacket_ = false;
        const std::int64_t rawEnd = rawStart + chunk_.frames;
        rawNext_ = rawEnd;
        std::int64_t length = knownLengthOrMinusOne();
        if (!estimated_ && length < 0 && rawEnd + kEndMarginFrames > roughRawFrames_ / 2) {
            index_->waitCovered(rawEnd + kEndMarginFrames);
            length = knownLengthOrMinusOne();
        }
        const std::int64_t end = length >= 0 ? skipStart_ + length : std::numeric_limits<std::int64_t>::max();
        if (want >= end) {
            return Fill::End;
        }
        if (rawEnd <= want) {
            continue; // pre-roll or encoder delay
        }
        const std::int64_t to = std::min(rawEnd, end);
        if (to <= std::max(rawStart, want)) {
            // A damaged stream's packet lies wholly at or past the end (a gap the decoder left
            // reaches beyond it): nothing of it is delivered.
            return Fill::End;
        }
        estimateFilled_ = estimateFilled_ || estimated_;
        fillFrom(rawStart, want, to);
        return Fill::Ok;
    }
    return Fill::End;
}

void FfmpegSource::fillFrom(std::int64_t rawStart, std::int64_t want, std::int64_t to)
{
    const std::int64_t from = std::max(rawStart, want);
    std::int64_t gap = rawStart - want;
    if (gap > kMaxGapSeconds * sampleRate_) {
        position_ += gap;
        gap = 0;
    }
    gap = std::max<std::int64_t>(gap, 0);
    const std::int64_t frames = gap + (to - from);
    pending_.assign(static_cast<std::size_t>(frames) * 2, 0);
    std::copy(chunk_.stereo.begin() + (from - rawStart) * 2, chunk_.stereo.begin() + (to - rawStart) * 2,
              pending_.begin() + gap * 2);
    pendingFrames_ = frames;
    pendingOffset_ = 0;
}

std::int64_t FfmpegSource::copyOut(std::int16_t* out, std::int64_t frames)
{
    const std::int16_t* in = pending_.data() + pendingOffset_ * 2;
    if (outputChannels_ == 2) {
        std::copy_n(in, frames * 2, out);
    } else {
        for (std::int64_t i = 0; i < frames; ++i) {
            out[i] = static_cast<std::int16_t>((in[2 * i] + in[2 * i + 1]) / 2);
        }
    }
    pendingOffset_ += frames;
    position_ += frames;
    return frames;
}

std::int64_t FfmpegSource::read(std::int16_t* interleaved, std::int64_t frames)
{
    std::int64_t done = 0;
    for (int guard = 0; done < frames && guard < kMaxPacketsPerFill; ++guard) {
        if (pendingOffset_ >= pendingFrames_) {
            if (!fillPending()) {
                break;
            }
            continue;
        }
        std::int64_t n = std::min(frames - done, pendingFrames_ - pendingOffset_);
        const std::int64_t length = byIndex_ ? -1 : knownLengthOrMinusOne();
        if (length >= 0) {
            n = std::min(n, length - position_);
            if (n <= 0) {
                ended_ = true;
                pendingFrames_ = 0;
                break;
            }
        }
        done += copyOut(interleaved + done * outputChannels_, n);
    }
    // Checked after the decode: a sample counts as the opened sound's only when the file had not
    // changed by the time it was read. A file that can no longer be looked at (deleted, renamed)
    // still plays from the descriptor that holds it open, which is what was opened.
    std::int64_t bytes = 0;
    std::int64_t modifiedNs = 0;
    if (!changed_ && openedBytes_ >= 0 && FileStamp(path_, bytes, modifiedNs) &&
        (bytes != openedBytes_ || modifiedNs != openedModifiedNs_)) {
        changed_ = true;
    }
    return changed_ ? 0 : done;
}

bool FfmpegSource::seekFrame(std::int64_t frame)
{
    if (frame < 0) {
        return false;
    }
    if (frame == position_ && !ended_) {
        // Already there (a stream's first play starts with a move to its start): moving would
        // reopen the file for nothing.
        return true;
    }
    if (byIndex_) {
        const std::int64_t rawTarget = std::max<std::int64_t>(skipStart_, 0) + frame;
        if (!index_->waitCoveredFor(rawTarget, scanCatchUp_) && seekByEstimate(frame)) {
            return true;
        }
        index_->waitCovered(rawTarget);
        if (index_->onGrid()) {
            // Measured in full already (the scan is finishing): the length is known.
            if (frame > lengthFrames()) {
                return false;
            }
            return seekOnGrid(frame) || decodeFromStartTo(frame);
        }
        if (index_->done() && frame > lengthFrames()) {
            return false;
        }
        return seekByIndex(frame) || decodeFromStartTo(frame);
    }
    if (frame > lengthFrames()) {
        return false;
    }
    return seekByTimestamps(frame) || decodeFromStartTo(frame);
}

bool FfmpegSource::seekByTimestamps(std::int64_t frame)
{
    const std::int64_t length = lengthFrames();
    // Demuxers land on a page or block boundary at or before the asked time; when they land
    // after it (Ogg pages, decoder start-up), ask again from further back.
    const std::int64_t backoffs[] = {0, sampleRate_ / 4, sampleRate_ * 2, sampleRate_ * 10};
    for (const std::int64_t back : backoffs) {
        const std::int64_t from = std::max<std::int64_t>(0, frame - back);
        if (!input_->seekToFrameTimestamp(from)) {
            return false;
        }
        ended_ = false;
        pendingFrames_ = 0;
        if (input_->decodeNext(chunk_) != 1) {
            if (frame < length) {
                return false;
            }
            position_ = frame;
            ended_ = true;
            return true;
        }
        std::int64_t start = chunk_.startFrame;
        if (start < 0) {
            return false;
        }
        if (start > frame) {
            if (from == 0) {
                return false;
            }
            continue;
        }
        for (int packets = 0; start + chunk_.frames <= frame; ++packets) {
            start += chunk_.frames;
            if (packets >= kMaxPacketsPerFill || input_->decodeNext(chunk_) != 1) {
                return false; // only a decode from the start may conclude the file is shorter
            }
        }
        takeChunk(frame - start);
        position_ = frame;
        return true;
    }
    return false;
}

bool FfmpegSource::seekByIndex(std::int64_t frame)
{
    const std::int64_t rawTarget = std::max<std::int64_t>(skipStart_, 0) + frame;
    FfmpegFrameIndex::Entry entry;
    if (!index_->entryBefore(rawTarget, prerollPackets_, entry)) {
        if (frame != lengthFrames()) {
            return false;
        }
        position_ = frame;
        ended_ = true;
        pendingFrames_ = 0;
        return true;
    }
    // MPEG frames can be entered at any frame's first byte; other containers keep parsing
    // state across packets, so they are entered through their own timestamp seek and the
    // packet they land on is looked up in the index.
    bool placed = false;
    if (entry.rawStart == 0) {
        placed = reopen();
    } else if (FfmpegInput::IsMpegAudio(input_->codecId())) {
        placed = input_->seekToByte(entry.pos);
    } else {
        placed = input_->seekToFrameTimestamp(entry.rawStart);
    }
    if (!placed) {
        return false;
    }
    restartDecoding(entry.rawStart, entry.rawStart != 0, frame);
    const Fill fill = fillByIndex();
    mustFindPacket_ = false;
    if (fill == Fill::End && frame >= lengthFrames()) {
        ended_ = true;
        return true;
    }
    return fill == Fill::Ok;
}

// An MPEG seek past what the scan has counted: from the frame the estimate places a few frames
// before it (the pre-roll), or from the start when it lies among the first frames. False when
// the estimate cannot place it; the caller then waits for the scan.
bool FfmpegSource::seekByEstimate(std::int64_t frame)
{
    if (!FfmpegInput::IsMpegAudio(input_->codecId()) || !index_->estimate(estimate_)) {
        return false;
    }
    const std::int64_t first =
        (std::max<std::int64_t>(skipStart_, 0) + frame) / estimate_.samplesPerFrame() - prerollPackets_;
    if (first >= estimate_.frameCount()) {
        return false;
    }
    bool placed = false;
    if (first <= 0) {
        placed = reopen(); // counted from the start, the places are exact
    } else {
        // A frame may start a byte before the estimate's line.
        const std::int64_t pos = estimate_.frameStartFrom(path_, estimate_.byteOf(first) - 4);
        placed = pos >= 0 && input_->seekToByte(pos);
    }
    if (!placed) {
        return false;
    }
    restartDecoding(0, first > 0, frame);
    placeByEstimate_ = first > 0;
    const Fill fill = fillByIndex();
    mustFindPacket_ = false;
    placeByEstimate_ = false;
    return fill == Fill::Ok;
}

// After the demuxer was moved: decoding starts afresh, the next frame handed out being `frame`.
void FfmpegSource::restartDecoding(std::int64_t rawNext, bool findPacket, std::int64_t frame)
{
    rawNext_ = rawNext;
    lastPacketPos_ = -1;
    mustFindPacket_ = findPacket;
    estimated_ = false;
    estimateFilled_ = false;
    position_ = frame;
    pendingFrames_ = 0;
    pendingOffset_ = 0;
    ended_ = false;
}

bool FfmpegSource::seekOnGrid(std::int64_t frame)
{
    grid_ = index_->grid();
    const std::int64_t rawTarget = std::max<std::int64_t>(skipStart_, 0) + frame;
    // The first frame after a jump is mixed with what the decoder held before (the transform
    // overlap), so decoding starts two frames early; should the demuxer land after the frame
    // anyway, it is asked again from further back.
    const std::int64_t backoffs[] = {2 * grid_.frameLength, sampleRate_, sampleRate_ * 10};
    for (const std::int64_t back : backoffs) {
        const std::int64_t from = rawTarget - back;
        const bool fromStart = from < grid_.frameLength;
        if (!(fromStart ? reopen() : input_->seekToFrameTimestamp(FfmpegPacketGrid::TimeOf(grid_, from)))) {
            return false;
        }
        restartDecoding(0, !fromStart, frame);
        seekOnGrid_ = true;
        const Fill fill = fillByIndex();
        mustFindPacket_ = false;
        seekOnGrid_ = false;
        if (fill == Fill::Ok) {
            return true;
        }
        if (fill == Fill::End) {
            ended_ = true;
            pendingFrames_ = 0;
            return frame >= lengthFrames();
        }
        if (fromStart) {
            return false;
        }
    }
    return false;
}

bool FfmpegSource::decodeFromStartTo(std::int64_t frame)
{
    if (!reopen()) {
        return false;
    }
    position_ = 0;
    if (byIndex_) {
        // Packets before the frame are passed over by the fill itself.
        position_ = frame;
        return fillPending() || position_ >= lengthFrames();
    }
    for (int guard = 0; position_ < frame && guard < kMaxPacketsPerFill; ++guard) {
        if (pendingOffset_ >= pendingFrames_ && !fillPending()) {
            return false;
        }
        const std::int64_t n = std::min(frame - position_, pendingFrames_ - pendingOffset_);
        pendingOffset_ += n;
        position_ += n;
    }
    return position_ == frame;
}
