#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where an MPEG audio frame lies in its file, estimated from the file's start alone: the frame
// table of a Xing or VBRI tag when the file has one, else the bit rate of its first frame (exact
// for a file of constant bit rate, whose frames follow one another at the same average size).
// A seek can start at once from it while the exact scan (MpegFrameScan) reads the whole file.
// Reads a few KB of the file; any thread. Once made, an estimate is only read.
class MpegSeekEstimate
{
public:
    // False when the file does not start (after its ID3v2 tags) with an MPEG audio frame.
    static bool Read(const std::string& path, MpegSeekEstimate& out);

    // Byte position at or just before the start of audio frame `index` (0 = the first frame of
    // sound, after any tag frame).
    std::int64_t byteOf(std::int64_t index) const;
    // The index of the audio frame that starts at byte position pos.
    std::int64_t indexAt(std::int64_t pos) const;
    // True when the frame at pos may be among the last few of the file (so padding may cut it).
    bool nearEnd(std::int64_t pos, std::int64_t framesFromEnd) const;
    int samplesPerFrame() const { return samplesPerFrame_; }
    std::int64_t frameCount() const { return frames_.empty() ? 0 : frames_.back(); }

    // The start of the first frame at or after pos that two more of the same stream follow; -1
    // when none is found within a few frames' bytes. An estimate from the bit rate also wants
    // them at that rate: a file of varying rate without a table would be placed far off.
    std::int64_t frameStartFrom(const std::string& path, std::int64_t pos) const;

private:
    // Leaves the line empty when the tag gives no table.
    bool fromTagFrame(const unsigned char* f, int bytes, int channels, bool lsf, std::int64_t tagPos);
    void fromXing(const unsigned char* f, const unsigned char* tag, int bytes, std::int64_t tagPos);
    void fromVbri(const unsigned char* f, int bytes, std::int64_t tagPos);
    void straightLine(double bytesPerFrame);

    // A line through (frame index, byte position) points, both rising.
    std::vector<std::int64_t> frames_;
    std::vector<std::int64_t> bytes_;
    std::int64_t firstAudio_ = 0; // the first frame of sound
    std::int64_t audioEnd_ = 0;   // where the frames end (trailing tags left out)
    int samplesPerFrame_ = 0;
    int maxFrameBytes_ = 0;
    int bitRate_ = 0; // of every frame, when the line follows the bit rate
    int layer_ = 0, version_ = 0, sampleRate_ = 0;
};
