#include "audio/Channel.h"

Channel::Channel(BassHandle handle, std::unique_ptr<PcmSource> source, std::uint32_t flags)
    : handle_(handle), flags_(flags), source_(std::move(source)),
      sourceRate_(source_ ? source_->sampleRate() : 44100), sourceChannels_(source_ ? source_->channels() : 2)
{
    rateHz.store(static_cast<float>(sourceRate_));
}

std::int64_t Channel::lengthFrames(std::chrono::milliseconds maxWait, bool& exact)
{
    const std::int64_t known = knownLengthFrames.load();
    exact = known >= 0;
    if (exact) {
        return known;
    }
    // The pointer itself only changes on this thread; the source's length calls are thread-safe.
    const PcmSource* source = source_ ? source_.get() : feederSource.get();
    if (source == nullptr) {
        return -1;
    }
    const std::int64_t frames = source->lengthFramesWithin(maxWait, exact);
    if (exact) {
        std::int64_t unknown = -1;
        knownLengthFrames.compare_exchange_strong(unknown, frames);
    }
    return frames;
}
