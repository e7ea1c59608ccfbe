#include "MpegSeekEstimate.h"

#include "MpegFrameScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Enough for the largest frame (layer 2 at 8 kHz, 2880 bytes) with its tag fields.
constexpr int kHeadBytes = 8192;
// The fields of a VBRI tag before its table.
constexpr int kVbriFields = 26;
// Room to find a frame start after an estimated position: a few of the largest frames.
constexpr int kSyncBytes = 16384;

class File
{
public:
    explicit File(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    std::int64_t size() const
    {
        struct stat st
        {
        };
        return fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : -1;
    }
    // Bytes read at pos (fewer at the end of the file).
    int read(std::int64_t pos, unsigned char* to, int bytes) const
    {
        const ssize_t got =
            fd_ >= 0 && pos >= 0 ? ::pread(fd_, to, static_cast<std::size_t>(bytes), pos) : -1;
        return got > 0 ? static_cast<int>(got) : 0;
    }

private:
    int fd_;
};

std::uint32_t Be32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
int Be16(const unsigned char* p)
{
    return (p[0] << 8) | p[1];
}

std::int64_t AfterId3v2(const File& file, std::int64_t size)
{
    std::int64_t at = 0;
    unsigned char h[10];
    while (at + 10 <= size && file.read(at, h, 10) == 10 && std::memcmp(h, "ID3", 3) == 0 && h[3] != 0xFF &&
           h[4] != 0xFF && ((h[6] | h[7] | h[8] | h[9]) & 0x80) == 0) {
        at += 10 +
              ((std::int64_t{h[6]} << 21) | (std::int64_t{h[7]} << 14) | (std::int64_t{h[8]} << 7) | h[9]) +
              ((h[5] & 0x10) != 0 ? 10 : 0);
    }
    return at;
}

// Where the frames end: before an ID3v1 tag and an APE tag after them.
std::int64_t AudioEnd(const File& file, std::int64_t size)
{
    std::int64_t end = size;
    unsigned char t[32];
    if (end >= 128 && file.read(end - 128, t, 3) == 3 && std::memcmp(t, "TAG", 3) == 0) {
        end -= 128;
    }
    if (end >= 32 && file.read(end - 32, t, 32) == 32 && std::memcmp(t, "APETAGEX", 8) == 0) {
        const std::int64_t body = t[12] | (t[13] << 8) | (t[14] << 16) | (std::int64_t{t[15]} << 24);
        end -= body + ((t[23] & 0x80) != 0 ? 32 : 0);
    }
    return end;
}

bool SameStream(const MpegFrameScan::Header& a, const MpegFrameScan::Header& b)
{
    return a.layer == b.layer && a.version == b.version && a.sampleRate == b.sampleRate;
}
} // namespace

bool MpegSeekEstimate::Read(const std::string& path, MpegSeekEstimate& out)
{
    out = MpegSeekEstimate{};
    const File file(path);
    const std::int64_t size = file.size();
    const std::int64_t at = AfterId3v2(file, size);
    std::array<unsigned char, kHeadBytes> head{};
    const int got = file.read(at, head.data(), kHeadBytes);
    MpegFrameScan::Header h;
    if (got < 4 || !MpegFrameScan::ParseHeader(head.data(), h) || h.bytes > got) {
        return false;
    }
    out.layer_ = h.layer;
    out.version_ = h.version;
    out.sampleRate_ = h.sampleRate;
    out.samplesPerFrame_ = h.samples;
    // The largest frame this stream can have: the top bit rate, padded.
    unsigned char top[4] = {head[0], head[1], static_cast<unsigned char>((14 << 4) | (head[2] & 0x0C) | 0x02),
                            head[3]};
    MpegFrameScan::Header largest;
    out.maxFrameBytes_ = MpegFrameScan::ParseHeader(top, largest) ? largest.bytes : 2881;
    out.audioEnd_ = AudioEnd(file, size);
    out.firstAudio_ = at;
    out.fromTagFrame(head.data(), h.bytes, h.channels, h.version != 1, at);
    if (out.frames_.empty()) {
        // No table, or one of constant bit rate: frames at the bit rate of the first frame of
        // sound (a tag frame may have another), the padded ones making up the fraction.
        unsigned char first[4];
        MpegFrameScan::Header a;
        if (file.read(out.firstAudio_, first, 4) != 4 || !MpegFrameScan::ParseHeader(first, a) ||
            a.samples != h.samples) {
            return false;
        }
        out.straightLine(a.samples / 8.0 * a.bitRate / a.sampleRate);
        out.bitRate_ = a.bitRate;
    }
    return out.audioEnd_ > out.firstAudio_;
}

// The first frame may be a tag frame (Xing, Info or VBRI) holding the frame count and a table of
// where each part of the sound starts. False when it is a frame of sound. A damaged count is kept
// below the bytes of sound (every frame has more than one), so the products of the line's
// interpolation stay within range.
bool MpegSeekEstimate::fromTagFrame(const unsigned char* f, int bytes, int channels, bool lsf,
                                    std::int64_t tagPos)
{
    const int sideInfo = lsf ? (channels == 1 ? 9 : 17) : (channels == 1 ? 17 : 32);
    const unsigned char* tag = f + 4 + sideInfo;
    if (4 + sideInfo + 8 <= bytes && (std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0)) {
        fromXing(f, tag, bytes, tagPos);
        return true;
    }
    if (4 + 32 + kVbriFields > bytes || std::memcmp(f + 4 + 32, "VBRI", 4) != 0) {
        return false;
    }
    fromVbri(f, bytes, tagPos);
    return true;
}

void MpegSeekEstimate::fromXing(const unsigned char* f, const unsigned char* tag, int bytes,
                                std::int64_t tagPos)
{
    firstAudio_ = tagPos + bytes;
    const unsigned char* end = f + bytes;
    const std::uint32_t flags = Be32(tag + 4);
    const unsigned char* p = tag + 8;
    std::int64_t frames = 0;
    std::int64_t streamBytes = audioEnd_ - tagPos;
    const unsigned char* toc = nullptr;
    if ((flags & 1) != 0 && p + 4 <= end) {
        frames = std::min<std::int64_t>(Be32(p), audioEnd_ - firstAudio_);
        p += 4;
    }
    if ((flags & 2) != 0 && p + 4 <= end) {
        streamBytes = Be32(p) > 0 ? Be32(p) : streamBytes;
        p += 4;
    }
    if ((flags & 4) != 0 && p + 100 <= end) {
        toc = p;
    }
    // "Info" marks a file of constant bit rate: its frames follow the bit rate exactly, where
    // the table's steps are a 256th of the file (the caller draws that line).
    if (std::memcmp(tag, "Info", 4) == 0 || frames <= 0) {
        return;
    }
    if (toc == nullptr) {
        straightLine(static_cast<double>(audioEnd_ - firstAudio_) / static_cast<double>(frames));
    } else {
        frames_ = {0};
        bytes_ = {firstAudio_};
        for (int i = 1; i < 100; ++i) {
            const std::int64_t pos = tagPos + toc[i] * streamBytes / 256;
            if (pos > bytes_.back() && pos < audioEnd_) {
                frames_.push_back(frames * i / 100);
                bytes_.push_back(pos);
            }
        }
        frames_.push_back(frames);
        bytes_.push_back(audioEnd_);
    }
}

void MpegSeekEstimate::fromVbri(const unsigned char* f, int bytes, std::int64_t tagPos)
{
    firstAudio_ = tagPos + bytes;
    const unsigned char* v = f + 4 + 32;
    const std::int64_t frames = std::min<std::int64_t>(Be32(v + 14), audioEnd_ - firstAudio_);
    const int entries = Be16(v + 18);
    const int scale = Be16(v + 20);
    const int entrySize = Be16(v + 22);
    const int perEntry = Be16(v + 24);
    const unsigned char* table = v + kVbriFields;
    if (frames <= 0 || perEntry <= 0 || entrySize < 1 || entrySize > 4 ||
        4 + 32 + kVbriFields + entries * entrySize > bytes) {
        return;
    }
    frames_ = {0};
    bytes_ = {firstAudio_};
    std::int64_t sum = firstAudio_;
    for (int e = 0; e < entries && std::int64_t{e + 1} * perEntry < frames; ++e) {
        std::int64_t size = 0;
        for (int b = 0; b < entrySize; ++b) {
            size = (size << 8) | table[e * entrySize + b];
        }
        sum += size * scale;
        if (sum > bytes_.back() && sum < audioEnd_) {
            frames_.push_back(std::int64_t{e + 1} * perEntry);
            bytes_.push_back(sum);
        }
    }
    frames_.push_back(frames);
    bytes_.push_back(audioEnd_);
}

void MpegSeekEstimate::straightLine(double bytesPerFrame)
{
    const double span = static_cast<double>(audioEnd_ - firstAudio_);
    const auto frames = std::max<std::int64_t>(1, static_cast<std::int64_t>(span / bytesPerFrame + 0.5));
    frames_ = {0, frames};
    bytes_ = {firstAudio_,
              firstAudio_ + static_cast<std::int64_t>(static_cast<double>(frames) * bytesPerFrame + 0.5)};
}

std::int64_t MpegSeekEstimate::byteOf(std::int64_t index) const
{
    if (frames_.size() < 2) {
        return firstAudio_;
    }
    index = std::clamp<std::int64_t>(index, 0, frames_.back());
    const auto after = std::upper_bound(frames_.begin(), frames_.end() - 1, index);
    const std::size_t i = static_cast<std::size_t>(after - frames_.begin()) - 1;
    const std::int64_t span = frames_[i + 1] - frames_[i];
    return bytes_[i] + (span > 0 ? (index - frames_[i]) * (bytes_[i + 1] - bytes_[i]) / span : 0);
}

std::int64_t MpegSeekEstimate::indexAt(std::int64_t pos) const
{
    if (frames_.size() < 2) {
        return 0;
    }
    pos = std::clamp<std::int64_t>(pos, bytes_.front(), bytes_.back());
    const auto after = std::upper_bound(bytes_.begin(), bytes_.end() - 1, pos);
    const std::size_t i = static_cast<std::size_t>(after - bytes_.begin()) - 1;
    const std::int64_t span = bytes_[i + 1] - bytes_[i];
    return frames_[i] +
           (span > 0 ? ((pos - bytes_[i]) * (frames_[i + 1] - frames_[i]) + span / 2) / span : 0);
}

bool MpegSeekEstimate::nearEnd(std::int64_t pos, std::int64_t framesFromEnd) const
{
    return pos + (framesFromEnd + 1) * maxFrameBytes_ >= audioEnd_;
}

std::int64_t MpegSeekEstimate::frameStartFrom(const std::string& path, std::int64_t pos) const
{
    const File file(path);
    std::array<unsigned char, kSyncBytes> data{};
    const int got = file.read(pos, data.data(), kSyncBytes);
    const auto frameAt = [&](int at, MpegFrameScan::Header& h) {
        MpegFrameScan::Header first;
        first.layer = layer_;
        first.version = version_;
        first.sampleRate = sampleRate_;
        return at + 4 <= got && MpegFrameScan::ParseHeader(data.data() + at, h) && SameStream(h, first) &&
               (bitRate_ == 0 || h.bitRate == bitRate_);
    };
    for (int i = 0; i + 4 <= got; ++i) {
        MpegFrameScan::Header a;
        MpegFrameScan::Header b;
        MpegFrameScan::Header c;
        if (!frameAt(i, a)) {
            continue;
        }
        const int second = i + a.bytes;
        // Two frames right at the end of the sound are as good as three.
        if (frameAt(second, b) && (frameAt(second + b.bytes, c) || pos + second + b.bytes >= audioEnd_)) {
            return pos + i;
        }
    }
    return -1;
}
