#include "MpegFrameScan.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace {
constexpr int kBitrates[2][3][15] = {
    // MPEG-1: layers 1, 2, 3
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    // MPEG-2 and 2.5
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};
constexpr int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
// What the decoder's filter banks add before the first sample, as the tag's delay leaves out.
constexpr std::int64_t kDecoderDelay = 528 + 1;

// The file mapped read-only for the scan.
class Mapped
{
public:
    explicit Mapped(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        struct stat st
        {
        };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const unsigned char*>(p);
                size_ = st.st_size;
                ::madvise(p, static_cast<std::size_t>(size_), MADV_SEQUENTIAL);
            }
        }
        ::close(fd);
    }
    ~Mapped()
    {
        if (data_ != nullptr) {
            ::munmap(const_cast<unsigned char*>(data_), static_cast<std::size_t>(size_));
        }
    }
    Mapped(const Mapped&) = delete;
    Mapped& operator=(const Mapped&) = delete;
    const unsigned char* data() const { return data_; }
    std::int64_t size() const { return size_; }

private:
    const unsigned char* data_ = nullptr;
    std::int64_t size_ = 0;
};

std::uint32_t Be32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Past any ID3v2 tags at the start.
std::int64_t AfterId3v2(const unsigned char* d, std::int64_t size)
{
    std::int64_t at = 0;
    while (at + 10 <= size && std::memcmp(d + at, "ID3", 3) == 0 && d[at + 3] != 0xFF && d[at + 4] != 0xFF &&
           ((d[at + 6] | d[at + 7] | d[at + 8] | d[at + 9]) & 0x80) == 0) {
        const std::int64_t body = (std::int64_t{d[at + 6]} << 21) | (std::int64_t{d[at + 7]} << 14) |
                                  (std::int64_t{d[at + 8]} << 7) | d[at + 9];
        at += 10 + body + ((d[at + 5] & 0x10) != 0 ? 10 : 0);
    }
    return at;
}

bool IsTrailer(const unsigned char* d, std::int64_t left)
{
    const auto starts = [&](const char* tag) {
        const auto n = static_cast<std::int64_t>(std::strlen(tag));
        return left >= n && std::memcmp(d, tag, static_cast<std::size_t>(n)) == 0;
    };
    return left == 0 || starts("TAG") || starts("APETAGEX") || starts("LYRICSBEGIN");
}

// The first frame may be a tag frame (Xing, Info or VBRI) instead of sound; its delay and padding
// fields are read as the demuxer reads them.
bool ReadTagFrame(const unsigned char* f, const MpegFrameScan::Header& h, MpegFrameScan::Result& out)
{
    const bool lsf = h.version != 1;
    const int sideInfo = lsf ? (h.channels == 1 ? 9 : 17) : (h.channels == 1 ? 17 : 32);
    const unsigned char* tag = f + 4 + sideInfo;
    if (4 + sideInfo + 8 <= h.bytes &&
        (std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0)) {
        const unsigned char* p = tag + 4;
        const unsigned char* end = f + h.bytes;
        const std::uint32_t flags = Be32(p);
        p += 4;
        std::int64_t frames = 0;
        if ((flags & 1) != 0 && p + 4 <= end) {
            frames = Be32(p);
            p += 4;
        }
        p += (flags & 2) != 0 ? 4 : 0;
        p += (flags & 4) != 0 ? 100 : 0;
        p += (flags & 8) != 0 ? 4 : 0;
        // Encoder version (9), revision (1), low pass (1), peak (4), two gains (4), flags (1),
        // bit rate (1), then 12 bits of delay and 12 of padding.
        if (p + 24 <= end && (std::memcmp(p, "LAME", 4) == 0 || std::memcmp(p, "Lavf", 4) == 0 ||
                              std::memcmp(p, "Lavc", 4) == 0)) {
            const unsigned char* v = p + 21;
            const std::int64_t startPad = (std::int64_t{v[0]} << 4) | (v[1] >> 4);
            const std::int64_t endPad = (std::int64_t{v[1] & 0x0F} << 8) | v[2];
            out.skipStart = startPad + kDecoderDelay;
            if (frames > 0) {
                out.skipEnd = endPad - kDecoderDelay > 0 ? endPad - kDecoderDelay : 0;
            }
        }
        return true;
    }
    return 4 + 32 + 4 <= h.bytes && std::memcmp(f + 4 + 32, "VBRI", 4) == 0;
}
} // namespace

bool MpegFrameScan::ParseHeader(const unsigned char* p, Header& h)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) {
        return false;
    }
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
        return false;
    }
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.layer = 4 - layerBits;
    h.sampleRate = kRates[h.version == 1 ? 0 : h.version == 2 ? 1 : 2][rateIndex];
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    const int kbps = kBitrates[h.version == 1 ? 0 : 1][h.layer - 1][bitrateIndex];
    const int padding = (p[2] >> 1) & 1;
    h.bitRate = kbps * 1000;
    if (h.layer == 1) {
        h.bytes = (12 * kbps * 1000 / h.sampleRate + padding) * 4;
        h.samples = 384;
    } else if (h.layer == 2 || h.version == 1) {
        h.bytes = 144 * kbps * 1000 / h.sampleRate + padding;
        h.samples = 1152;
    } else {
        h.bytes = 72 * kbps * 1000 / h.sampleRate + padding;
        h.samples = 576;
    }
    return h.bytes >= 4 + 4;
}

bool MpegFrameScan::Scan(const std::string& path, Result& out)
{
    out = Result{};
    const Mapped file(path);
    const unsigned char* d = file.data();
    const std::int64_t size = file.size();
    if (d == nullptr) {
        return false;
    }
    std::int64_t at = AfterId3v2(d, size);
    Header first;
    if (at + 4 > size || !ParseHeader(d + at, first) || at + first.bytes > size) {
        return false;
    }
    if (ReadTagFrame(d + at, first, out)) {
        at += first.bytes;
    }
    out.frames.reserve(static_cast<std::size_t>((size - at) / first.bytes + 16));
    Header h;
    while (at + 4 <= size && ParseHeader(d + at, h)) {
        if (h.layer != first.layer || h.version != first.version || h.sampleRate != first.sampleRate ||
            at + h.bytes > size) {
            return false; // a change of stream or a cut last frame: left to the demuxer
        }
        out.frames.push_back(Frame{at, h.samples});
        at += h.bytes;
    }
    return !out.frames.empty() && IsTrailer(d + at, size - at);
}
