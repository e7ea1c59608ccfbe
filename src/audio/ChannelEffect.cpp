#include "audio/ChannelEffect.h"

ChannelEffect::ChannelEffect(BassFxHandle handle, int type, int rate, int channels)
    : handle_(handle), type_(type), rate_(rate)
{
    if (type_ == BassFxReverb) {
        reverb_.allocate(rate, channels);
    }
    seenVersion_ = params_.version();
}

void ChannelEffect::update(int frames)
{
    const std::uint32_t version = params_.version();
    if (version == seenVersion_) {
        return;
    }
    seenVersion_ = version;
    const Params p = params_.read();
    if (type_ == BassFxParamEq) {
        band_.setTarget(PeakingCoefs(p.eq, rate_), frames);
    } else {
        reverb_.setTarget(p.reverb);
    }
}

void ChannelEffect::process(float* interleaved, int frames, int channels)
{
    if (!enabled_.load(std::memory_order_relaxed)) {
        return;
    }
    update(frames);
    if (type_ == BassFxParamEq) {
        band_.process(interleaved, frames, channels);
    } else {
        reverb_.process(interleaved, frames, channels);
    }
}
