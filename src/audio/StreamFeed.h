#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}
class Channel;
class RateConverter;

// The feeder's side of one playing stream: decodes the source and, when tempo, pitch or rate ask
// for it, runs it through SoundTouch (a file at another rate than the output's, otherwise
// untouched, through the rate converter), then writes blocks at the output rate and channel count
// into the channel's ring. Only the feeder thread (or the manual render) touches it.
class StreamFeed {
public:
    StreamFeed();
    ~StreamFeed();
    StreamFeed(const StreamFeed&) = delete;
    StreamFeed& operator=(const StreamFeed&) = delete;

    // Fills the ring towards targetBlocks, writing at most maxBlocks now. Returns the blocks
    // written.
    int fill(Channel& channel, int targetBlocks, int maxBlocks, int outputRate, int outputChannels);
    // After fill() failed with an exception (from the decoder or the time-stretcher): the stream
    // ends after what it has already written, as at the end of its source; a later seek starts
    // it afresh. Throws nothing.
    void abandon(Channel& channel) noexcept;

private:
    void restart(Channel& channel, std::int64_t frame);
    bool direct(Channel& channel, int outputChannels);
    bool stretched(Channel& channel, int outputRate, int outputChannels);
    bool converted(Channel& channel, int outputChannels);
    // Writes the frames that lie before the source's end (the stretcher's and the converter's last
    // output is padded with silence); false, and the stream finished at its end, when none do.
    bool emitBeforeEnd(Channel& channel, const float* frames, int count, int outputChannels, double ratio);
    void leaveConverter(Channel& channel);
    // The first samples of pcm_ as floats in floats_.
    void toFloats(std::int64_t samples);
    bool wrapOrEnd(Channel& channel);
    void noteEnd(Channel& channel);
    void applySettings(Channel& channel, int outputRate);
    bool passThrough(const Channel& channel, int outputRate) const;
    bool onlyRateDiffers(const Channel& channel, int outputRate) const;
    void emit(Channel& channel, const float* source, int frames, int outputChannels, double ratio);

    std::unique_ptr<soundtouch::SoundTouch> stretch_;
    std::unique_ptr<RateConverter> convert_;
    bool stretchInUse_ = false;
    std::uint32_t generation_ = 0xFFFFFFFFu;
    std::int64_t sourceFrame_ = 0;  // next frame the source gives
    double outputSourceFrame_ = 0.0; // source position of the next frame written
    bool sourceEnded_ = false;
    bool finished_ = false;
    std::uint32_t loopPass_ = 0;
    float tempo_ = 0.0f, rate_ = 0.0f, pitch_ = 0.0f;
    std::vector<std::int16_t> pcm_;
    std::vector<float> floats_;
    std::vector<float> output_;
};
