#include "audio/Mixer.h"

#include "audio/Channel.h"
#include "audio/LiveChannels.h"
#include "audio/PeakingBand.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {
// Long enough not to click, short enough to end well inside what the feeder has read ahead.
constexpr float kChangedFadeSeconds = 0.03f;

// Denormals (the dying tails of the bands and the reverb) cost a hundred times a normal multiply;
// while rendering they are flushed to zero by the processor. The caller's mode is restored after.
class DenormalsFlushed
{
public:
#if defined(__SSE__)
    DenormalsFlushed() : saved_(_mm_getcsr())
    {
        _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero);
    }
    ~DenormalsFlushed()
    {
        _mm_setcsr(saved_);
    }

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved_;
#endif
};
} // namespace

Mixer::Mixer(LiveChannels& live, int rate, int channels) : live_(live), rate_(rate), channels_(channels)
{}

bool Mixer::render(float* out, int frames, std::int64_t nowNs)
{
    const DenormalsFlushed flushed;
    live_.enter(LiveChannels::Mixer);
    bool sounding = false;
    int done = 0;
    while (done < frames) {
        const int n = std::min(kChunkFrames, frames - done);
        const std::int64_t t = nowNs + static_cast<std::int64_t>(done) * 1000000000LL / rate_;
        sounding |= renderChunk(out + static_cast<std::ptrdiff_t>(done) * channels_, n, t);
        done += n;
    }
    live_.leave(LiveChannels::Mixer);
    return sounding;
}

void Mixer::discardStale()
{
    live_.enter(LiveChannels::Mixer);
    for (int s = 0; s < LiveChannels::kSlots; ++s) {
        if (Channel* channel = live_.at(s)) {
            dropStale(*channel);
        }
    }
    live_.leave(LiveChannels::Mixer);
}

int Mixer::leastAheadFrames()
{
    int least = -1;
    live_.enter(LiveChannels::Mixer);
    for (int s = 0; s < LiveChannels::kSlots; ++s) {
        Channel* channel = live_.at(s);
        if (channel != nullptr && channel->state.load() == Channel::Playing) {
            const int ahead = channel->ring.filled() * channel->ring.framesPerBlock() - channel->readOffset;
            least = least < 0 ? ahead : std::min(least, ahead);
        }
    }
    live_.leave(LiveChannels::Mixer);
    return least;
}

void Mixer::dropStale(Channel& channel)
{
    while (PcmBlock* block = channel.ring.readSlot()) {
        if (block->generation == channel.generation.load(std::memory_order_acquire)) {
            break;
        }
        channel.ring.commitRead();
        channel.readOffset = 0;
    }
}

bool Mixer::renderChunk(float* out, int frames, std::int64_t nowNs)
{
    std::memset(out, 0, sizeof(float) * static_cast<std::size_t>(frames * channels_));
    bool sounding = false;
    for (int s = 0; s < LiveChannels::kSlots; ++s) {
        Channel* channel = live_.at(s);
        if (channel != nullptr && channel->state.load() == Channel::Playing) {
            mixChannel(*channel, out, frames, nowNs);
            sounding = true;
        }
    }
    // Master volume, ramped across the chunk so a change never clicks.
    const float target = static_cast<float>(masterTarget_.load()) / 100.0f;
    const float step = (target - master_) / static_cast<float>(frames);
    for (int i = 0; i < frames; ++i) {
        master_ += step;
        for (int ch = 0; ch < channels_; ++ch) {
            float& v = out[i * channels_ + ch];
            v = std::clamp(v * master_, -1.0f, 1.0f);
        }
    }
    master_ = target;
    return sounding;
}

int Mixer::pull(Channel& channel, float* dest, int frames)
{
    int done = 0;
    while (done < frames) {
        PcmBlock* block = channel.ring.readSlot();
        if (block == nullptr) {
            break;
        }
        // Read afresh for each block: a seek may land while this period is rendered.
        if (block->generation != channel.generation.load(std::memory_order_acquire)) {
            channel.ring.commitRead();
            channel.readOffset = 0;
            continue;
        }
        if (block->generation != channel.mixGeneration) {
            channel.mixGeneration = block->generation; // a seek starts the pass count afresh
            channel.loopPass = block->loopPass;
        }
        if (block->loopPass != channel.loopPass) {
            if (!channel.loop.load()) {
                // The loop was switched off after the feeder had already read past the end:
                // the sound ends where the pass it was playing ends.
                channel.playedFrame.store(std::max<std::int64_t>(channel.knownLengthFrames.load(), 0));
                channel.playedGeneration.store(block->generation, std::memory_order_release);
                int playing = Channel::Playing;
                channel.state.compare_exchange_strong(playing, Channel::Stopped);
                break;
            }
            channel.loopPass = block->loopPass;
        }
        const int n = std::min(frames - done, block->frames - channel.readOffset);
        std::memcpy(dest + static_cast<std::ptrdiff_t>(done) * channels_,
                    block->samples + static_cast<std::ptrdiff_t>(channel.readOffset) * channels_,
                    sizeof(float) * static_cast<std::size_t>(n * channels_));
        channel.readOffset += n;
        done += n;
        const double position = block->sourceStartFrame + channel.readOffset * block->sourceFramesPerFrame;
        channel.playedFrame.store(static_cast<std::int64_t>(position + 1e-6), std::memory_order_relaxed);
        channel.playedGeneration.store(block->generation, std::memory_order_release);
        if (channel.readOffset >= block->frames) {
            channel.ring.commitRead();
            channel.readOffset = 0;
        }
    }
    const std::uint32_t generation = channel.generation.load(std::memory_order_acquire);
    if (done < frames && channel.endedGeneration.load(std::memory_order_acquire) == generation &&
        channel.ring.readSlot() == nullptr) {
        // Everything the source had has been played: the stream has ended.
        channel.playedFrame.store(std::max<std::int64_t>(channel.knownLengthFrames.load(), 0));
        channel.playedGeneration.store(generation, std::memory_order_release);
        int playing = Channel::Playing;
        channel.state.compare_exchange_strong(playing, Channel::Stopped);
    }
    return done;
}

void Mixer::fadeOutChanged(Channel& channel, float* buf, int frames)
{
    const float step = 1.0f / (static_cast<float>(rate_) * kChangedFadeSeconds);
    for (int i = 0; i < frames; ++i) {
        channel.changedGain = std::max(0.0f, channel.changedGain - step);
        for (int ch = 0; ch < channels_; ++ch) {
            buf[i * channels_ + ch] *= channel.changedGain;
        }
    }
    if (channel.changedGain <= 0.0f) {
        int playing = Channel::Playing;
        channel.state.compare_exchange_strong(playing, Channel::Stopped);
    }
}

void Mixer::applyEffects(Channel& channel, float* buf, int frames)
{
    // Neighbouring steady bands run as one cascade; anything else (a band in its cross-fade, the
    // reverb) runs alone, in its place in the chain, after the cascade before it.
    PeakingBand* cascade[PeakingBand::kMaxCascade];
    int count = 0;
    const auto flush = [&] {
        PeakingBand::ProcessCascade(cascade, count, buf, frames, channels_);
        count = 0;
    };
    for (auto& slot : channel.effects) {
        ChannelEffect* fx = slot.load(std::memory_order_acquire);
        if (fx == nullptr || !fx->enabled()) {
            continue;
        }
        fx->update(frames);
        if (PeakingBand* band = fx->cascadeBand()) {
            if (!band->bypassed()) {
                cascade[count++] = band;
                if (count == PeakingBand::kMaxCascade) {
                    flush();
                }
            }
            continue;
        }
        flush();
        fx->process(buf, frames, channels_);
    }
    flush();
}

void Mixer::mixChannel(Channel& channel, float* out, int frames, std::int64_t nowNs)
{
    float* buf = channel.scratch.data();
    const int got = pull(channel, buf, frames);
    if (channel.changedGeneration.load(std::memory_order_acquire) ==
        channel.generation.load(std::memory_order_acquire)) {
        fadeOutChanged(channel, buf, got);
    }
    std::fill(buf + static_cast<std::ptrdiff_t>(got) * channels_,
              buf + static_cast<std::ptrdiff_t>(frames) * channels_, 0.0f);
    applyEffects(channel, buf, frames);
    channel.meter.feed(buf, got, channels_);

    const VolumeProgram program = channel.volume.program();
    const std::int64_t endNs = nowNs + static_cast<std::int64_t>(frames) * 1000000000LL / rate_;
    const float pan = channel.panShared.load(std::memory_order_relaxed);
    const float leftPan = channels_ == 2 ? std::min(1.0f, 1.0f - pan / 100.0f) : 1.0f;
    const float rightPan = std::min(1.0f, 1.0f + pan / 100.0f);
    const double startVolume = VolumeRamp::ValueAt(program, nowNs);
    const double endVolume = VolumeRamp::ValueAt(program, endNs);
    const bool endsInside = program.endNs > nowNs && program.endNs < endNs;
    if (endsInside) {
        // A slide that ends inside the chunk is evaluated frame by frame.
        for (int i = 0; i < frames; ++i) {
            const std::int64_t t = nowNs + static_cast<std::int64_t>(i) * 1000000000LL / rate_;
            const float gain = static_cast<float>(VolumeRamp::ValueAt(program, t) / 100.0);
            for (int ch = 0; ch < channels_; ++ch) {
                out[i * channels_ + ch] += buf[i * channels_ + ch] * gain * (ch == 0 ? leftPan : rightPan);
            }
        }
    } else if (channels_ == 2) {
        // Linear between the chunk's ends: exact for a slide that spans the chunk.
        for (int i = 0; i < frames; ++i) {
            const float gain =
                static_cast<float>((startVolume + (endVolume - startVolume) * i / frames) / 100.0);
            out[2 * i] += buf[2 * i] * gain * leftPan;
            out[2 * i + 1] += buf[2 * i + 1] * gain * rightPan;
        }
    } else {
        for (int i = 0; i < frames; ++i) {
            const float gain =
                static_cast<float>((startVolume + (endVolume - startVolume) * i / frames) / 100.0);
            out[i] += buf[i] * gain;
        }
    }
    if (program.stopAtEnd && endNs >= program.endNs) {
        // A slide to -2 has reached silence: the stream stops here.
        int playing = Channel::Playing;
        channel.state.compare_exchange_strong(playing, Channel::Stopped);
    }
}
