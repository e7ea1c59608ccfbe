#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads an MPEG audio file (layers 1-3) frame header by frame header, without a demuxer: where
// each audio frame starts and how many frames of sound it decodes to, and the encoder delay and
// padding a LAME/Xing tag declares, as the FFmpeg demuxer reports them. A one-hour file in the
// page cache takes a few ms instead of a few hundred; one that is not must first be read whole
// (60-90 MB), so seeks do not wait for the scan but start from an estimate (MpegSeekEstimate).
// Only plain files are taken: an ID3v2 tag, then one unbroken run of frames of one layer, version
// and rate, then the end of the file or the usual trailing tags. Anything else returns false and
// the caller scans with FFmpeg instead. Any thread; reads the file itself.
class MpegFrameScan
{
public:
    struct Frame
    {
        std::int64_t pos = 0;    // byte position of the frame's header
        std::int64_t frames = 0; // sound frames it decodes to
    };
    struct Result
    {
        std::vector<Frame> frames; // audio frames only (a tag frame is left out, as FFmpeg does)
        std::int64_t skipStart = 0;
        std::int64_t skipEnd = 0;
    };

    static bool Scan(const std::string& path, Result& out);

    struct Header
    {
        int layer = 0;      // 1..3
        int version = 0;    // 1 MPEG-1, 2 MPEG-2, 25 MPEG-2.5
        int sampleRate = 0; // Hz
        int channels = 0;
        int bytes = 0;   // whole frame, header included
        int samples = 0; // per frame
        int bitRate = 0; // bits per second
    };
    // Parses a 4-byte frame header; false when it is not one (or free-format).
    static bool ParseHeader(const unsigned char* p, Header& h);
};
