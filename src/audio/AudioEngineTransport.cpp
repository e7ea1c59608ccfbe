#include "audio/AudioEngine.h"

#include "audio/Channel.h"
#include "audio/EngineError.h"
#include "audio/Mixer.h"
#include "audio/OutputDevice.h"
#include "audio/StreamFeeder.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
constexpr int kBlockFrames = 256;
}

bool AudioEngine::makeLive(const std::shared_ptr<Channel>& channel)
{
    const int target = feeder_->targetBlocks(kBlockFrames);
    channel->ring.allocate(std::max(target, 8) + 2, kBlockFrames, outChannels_);
    channel->scratch.assign(static_cast<std::size_t>(Mixer::kChunkFrames * outChannels_), 0.0f);
    channel->meter.configure(rate_);
    if ((channel->flags() & BASS_STREAM_DECODE) != 0 && !channel->isTempo) {
        channel->seekFrame.store(channel->decodeFrame);
    }
    channel->feederSource = channel->takeSource();
    channel->generation.fetch_add(1);
    if (!live_.add(channel)) {
        channel->restoreSource(std::move(channel->feederSource));
        return EngineError::Fail(BassError::NoChannel);
    }
    channel->live = true;
    return true;
}

void AudioEngine::seekTo(Channel& channel, std::int64_t frame)
{
    channel.seekFrame.store(frame);
    channel.generation.fetch_add(1); // after the frame: the feeder reads them in that order
    if (feeder_) {
        feeder_->wake();
    }
}

std::int64_t AudioEngine::positionFrames(Channel& channel)
{
    if (!channel.live) {
        return (channel.flags() & BASS_STREAM_DECODE) != 0 && !channel.isTempo ? channel.decodeFrame
                                                                               : channel.seekFrame.load();
    }
    const std::uint32_t generation = channel.generation.load(std::memory_order_acquire);
    if (channel.playedGeneration.load(std::memory_order_acquire) == generation) {
        return channel.playedFrame.load(std::memory_order_relaxed);
    }
    return channel.seekFrame.load();
}

void AudioEngine::settle(Channel& channel)
{
    const VolumeProgram program = channel.volume.program();
    const std::int64_t now = clock_.nowNs();
    if (program.stopAtEnd && now >= program.endNs) {
        if (channel.live) {
            const std::int64_t frame = positionFrames(channel);
            channel.state.store(Channel::Stopped);
            seekTo(channel, frame);
        }
        channel.volume.set(0.0, now);
    }
}

bool AudioEngine::play(BassHandle handle, bool restart)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (!started_) {
        return EngineError::Fail(BassError::Start);
    }
    settle(*channel);
    if (!channel->live) {
        if (!channel->source() && !channel->feederSource) {
            return EngineError::Fail(BassError::NotAvailable);
        }
        if (!makeLive(channel)) {
            return false;
        }
    }
    if (restart) {
        seekTo(*channel, 0);
    }
    const int before = channel->state.exchange(Channel::Playing);
    feeder_->wake();
    // After the state: a device stopping for silence just now either saw the stream or is
    // started again here.
    if (output_ && !output_->wake()) {
        channel->state.store(before);
        return EngineError::Fail(BassError::Start);
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::pause(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    settle(*channel);
    const int state = channel->state.load();
    if (state == Channel::Paused) {
        return EngineError::Fail(BassError::Already);
    }
    int playing = Channel::Playing;
    if (!channel->state.compare_exchange_strong(playing, Channel::Paused)) {
        return EngineError::Fail(BassError::NotPlaying);
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::stopChannel(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (channel->live) {
        const std::int64_t frame = positionFrames(*channel);
        channel->state.store(Channel::Stopped);
        seekTo(*channel, frame); // what the feeder read ahead is dropped
    }
    EngineError::Set(BassError::Ok);
    return true;
}

std::uint32_t AudioEngine::isActive(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = find(handle);
    if (!channel) {
        return BassActiveStopped;
    }
    EngineError::Set(BassError::Ok);
    if (channel->ownerTempo != 0) {
        return BassActiveStopped;
    }
    if (!channel->live) {
        if ((channel->flags() & BASS_STREAM_DECODE) == 0 || channel->isTempo) {
            return BassActiveStopped;
        }
        // A decoding stream is active while it has data left to give; a length still being
        // measured is not waited for (the silence skip asks this before every block).
        bool exact = false;
        const std::int64_t length = channel->lengthFrames(std::chrono::milliseconds(0), exact);
        const bool more = !channel->decodeEnded && (!exact || channel->decodeFrame < length);
        return more ? BassActivePlaying : BassActiveStopped;
    }
    settle(*channel);
    switch (channel->state.load()) {
    case Channel::Playing:
        return BassActivePlaying;
    case Channel::Paused:
        return BassActivePaused;
    default:
        return BassActiveStopped;
    }
}

std::int64_t AudioEngine::getPosition(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = find(handle);
    if (!channel) {
        return -1;
    }
    if (channel->ownerTempo != 0) {
        EngineError::Set(BassError::NotAvailable);
        return -1;
    }
    settle(*channel);
    EngineError::Set(BassError::Ok);
    return positionFrames(*channel) * channel->bytesPerFrame();
}

bool AudioEngine::setPosition(BassHandle handle, std::int64_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    const std::int64_t frame = bytes / channel->bytesPerFrame();
    bool exact = false;
    const std::int64_t length = lengthFrames(*channel, exact);
    // The end itself is a valid place: a sound that is silence throughout is started there.
    // Against an estimated length nothing is refused: a place past the real end ends the sound
    // as soon as it plays, where refusing it would report a failure for a place that exists.
    if (bytes < 0 || length < 0 || (exact && frame > length)) {
        return EngineError::Fail(BassError::Position);
    }
    if (!channel->live && (channel->flags() & BASS_STREAM_DECODE) != 0 && !channel->isTempo) {
        if (!channel->source()->seekFrame(frame) && frame != length) {
            return EngineError::Fail(BassError::Position);
        }
        channel->decodeFrame = frame;
        channel->decodeEnded = exact && frame >= length;
    } else {
        seekTo(*channel, frame);
    }
    EngineError::Set(BassError::Ok);
    return true;
}

std::uint32_t AudioEngine::getLevel(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return 0;
    }
    settle(*channel);
    if (!channel->live || channel->state.load() != Channel::Playing) {
        EngineError::Set(BassError::NotPlaying);
        return 0;
    }
    EngineError::Set(BassError::Ok);
    return channel->meter.word();
}

bool AudioEngine::applyAttributes(Channel& channel, int freq, int pan)
{
    if ((freq != -1 && freq != 0 && (freq < 100 || freq > 1000000)) ||
        (pan != -101 && (pan < -100 || pan > 100))) {
        return EngineError::Fail(freq != -1 && freq != 0 && (freq < 100 || freq > 1000000)
                                     ? BassError::Frequency
                                     : BassError::IllegalParam);
    }
    if (freq == 0) {
        channel.rateHz.store(static_cast<float>(channel.sourceRate()));
    } else if (freq > 0) {
        channel.rateHz.store(static_cast<float>(freq));
    }
    if (pan != -101) {
        channel.pan = pan;
        channel.panShared.store(static_cast<float>(pan));
    }
    if (feeder_ && freq != -1) {
        feeder_->wake();
    }
    return true;
}

bool AudioEngine::setAttributes(BassHandle handle, int freq, int volume, int pan)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (volume != -1 && (volume < 0 || volume > 100)) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    settle(*channel);
    if (!applyAttributes(*channel, freq, pan)) {
        return false;
    }
    if (volume != -1) {
        channel->volume.set(volume, clock_.nowNs()); // also ends a slide in progress
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::getAttributes(BassHandle handle, int* freq, int* volume, int* pan)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    settle(*channel);
    if (freq != nullptr) {
        *freq = static_cast<int>(std::lround(channel->rateHz.load()));
    }
    if (volume != nullptr) {
        *volume = static_cast<int>(std::lround(channel->volume.valueAt(clock_.nowNs())));
    }
    if (pan != nullptr) {
        *pan = channel->pan;
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::slideAttributes(BassHandle handle, int freq, int volume, int pan, std::uint32_t ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (volume != -1 && volume != -2 && (volume < 0 || volume > 100)) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    settle(*channel);
    if (!applyAttributes(*channel, freq, pan)) {
        return false;
    }
    const std::int64_t now = clock_.nowNs();
    if (volume != -1) {
        const bool stopAtEnd = volume == -2;
        channel->volume.slide(stopAtEnd ? 0.0 : volume, stopAtEnd, now, ms);
        settle(*channel); // a slide of 0 ms to -2 stops at once
    }
    EngineError::Set(BassError::Ok);
    return true;
}

std::uint32_t AudioEngine::isSliding(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return 0;
    }
    settle(*channel);
    EngineError::Set(BassError::Ok);
    return channel->volume.slidingAt(clock_.nowNs()) ? BassSlidingVolume : 0U;
}

bool AudioEngine::setFlags(BassHandle handle, std::uint32_t flags)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    channel->loop.store((flags & BASS_SAMPLE_LOOP) != 0);
    EngineError::Set(BassError::Ok);
    return true;
}
