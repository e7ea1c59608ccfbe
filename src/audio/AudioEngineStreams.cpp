#include "audio/AudioEngine.h"

#include "audio/Channel.h"
#include "audio/EngineError.h"
#include "audio/FileDecoder.h"
#include "audio/PlayableLimits.h"
#include "audio/StreamFeeder.h"

#include <chrono>
#include <cstring>
#include <vector>

std::shared_ptr<Channel> AudioEngine::find(BassHandle handle)
{
    const auto it = channels_.find(handle);
    if (it == channels_.end()) {
        EngineError::Set(BassError::Handle);
        return nullptr;
    }
    return it->second;
}

std::shared_ptr<Channel> AudioEngine::findUsable(BassHandle handle)
{
    auto channel = find(handle);
    if (channel && channel->ownerTempo != 0) {
        EngineError::Set(BassError::NotAvailable);
        return nullptr;
    }
    return channel;
}

std::int64_t AudioEngine::lengthFrames(Channel& channel, bool& exact, std::optional<std::chrono::milliseconds> maxWait)
{
    exact = false;
    if (channel.ownerTempo != 0) {
        if (auto owner = find(channel.ownerTempo)) {
            return lengthFrames(*owner, exact, maxWait);
        }
        return -1;
    }
    const bool decoding = (channel.flags() & BASS_STREAM_DECODE) != 0 && !channel.isTempo;
    return channel.lengthFrames(maxWait.value_or(decoding ? Channel::kDecodeLengthWait : Channel::kLengthWait),
                                exact);
}

BassHandle AudioEngine::createFile(const char* path, std::uint32_t flags)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!initialized_) {
            EngineError::Set(BassError::Init);
            return 0;
        }
        if (path == nullptr || *path == '\0') {
            EngineError::Set(BassError::FileOpen);
            return 0;
        }
    }
    // Opened outside the lock: probing a file must not hold up the other calls. The program's
    // window thread, which no file may hold up for more than 50 ms, waits 30 ms: an open that
    // takes longer goes on in the background and the caller asks again when it is done.
    const std::uint32_t waitMs = fileOpenWaitMs_.load();
    const auto maxWait = waitMs == BassOpenWaitUntilDone ? std::chrono::milliseconds::max()
                                                         : std::chrono::milliseconds(waitMs);
    int error = BassError::Ok;
    const bool optional = (flags & BassStreamIfAtHand) != 0;
    flags &= ~BassStreamIfAtHand;
    std::unique_ptr<PcmSource> source = OpenAudioFileWithin(path, outputChannels(), maxWait, error, optional);
    if (!source) {
        EngineError::Set(error != BassError::Ok ? error : BassError::FileFormat);
        return 0;
    }
    return createFromSource(std::move(source), flags);
}

BassHandle AudioEngine::createFromSource(std::unique_ptr<PcmSource> source, std::uint32_t flags)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        EngineError::Set(BassError::Init);
        return 0;
    }
    if (!source || !PlayableLimits::RateOk(source->sampleRate()) || source->channels() < 1 ||
        source->channels() > 2) {
        EngineError::Set(BassError::Format);
        return 0;
    }
    live_.reap();
    const BassHandle handle = nextHandle_++;
    channels_[handle] = std::make_shared<Channel>(handle, std::move(source), flags);
    EngineError::Set(BassError::Ok);
    return handle;
}

bool AudioEngine::streamFree(BassHandle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    channel->state.store(Channel::Stopped);
    for (const auto& fx : channel->ownedEffects) {
        effects_.erase(fx->handle());
    }
    if (channel->live) {
        live_.remove(channel);
    }
    if (channel->ownedSource != 0) {
        channels_.erase(channel->ownedSource);
    }
    channels_.erase(handle);
    EngineError::Set(BassError::Ok);
    return true;
}

BassHandle AudioEngine::tempoCreate(BassHandle decodeStream, std::uint32_t flags)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto source = findUsable(decodeStream);
    if (!source) {
        return 0;
    }
    if ((source->flags() & BASS_STREAM_DECODE) == 0 || source->live || !source->source()) {
        EngineError::Set(BassError::Decode);
        return 0;
    }
    const BassHandle handle = nextHandle_++;
    // The tempo stream takes the decoder over and is the only one to use it from now on; the
    // decoding stream's handle stays valid for its information and dies with the tempo stream.
    auto tempo = std::make_shared<Channel>(handle, source->takeSource(), flags);
    tempo->knownLengthFrames.store(source->knownLengthFrames.load());
    tempo->isTempo = true;
    tempo->ownedSource = decodeStream;
    tempo->seekFrame.store(source->decodeFrame);
    tempo->loop.store(source->loop.load());
    source->ownerTempo = handle;
    channels_[handle] = tempo;
    EngineError::Set(BassError::Ok);
    return handle;
}

bool AudioEngine::tempoSet(BassHandle handle, float tempo, float rate, float pitch)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (!channel->isTempo) {
        return EngineError::Fail(BassError::Handle);
    }
    const bool tempoGiven = tempo != -100.0f;
    const bool rateGiven = rate != -100.0f && rate != 0.0f;
    const bool pitchGiven = pitch != -100.0f;
    if ((tempoGiven && (tempo < -95.0f || tempo > 5000.0f)) ||
        (rateGiven && (rate < 100.0f || rate > 1000000.0f)) ||
        (pitchGiven && (pitch < -60.0f || pitch > 60.0f))) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    if (tempoGiven) {
        channel->tempoPercent.store(tempo);
    }
    if (rateGiven) {
        channel->rateHz.store(rate);
    }
    if (pitchGiven) {
        channel->pitchSemitones.store(pitch);
    }
    if (feeder_) {
        feeder_->wake();
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::dspGet(BassHandle handle, int set, BassDspParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (!channel->isTempo) {
        return EngineError::Fail(BassError::Handle);
    }
    if (set != BassDspSampleRate) {
        return EngineError::Fail(BassError::IllegalType);
    }
    params.sampleRate = channel->rateHz.load();
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::dspSet(BassHandle handle, int set, const BassDspParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    if (!channel->isTempo) {
        return EngineError::Fail(BassError::Handle);
    }
    if (set != BassDspSampleRate) {
        return EngineError::Fail(BassError::IllegalType);
    }
    if (params.sampleRate < 100.0f || params.sampleRate > 1000000.0f) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    channel->rateHz.store(params.sampleRate);
    if (feeder_) {
        feeder_->wake();
    }
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::getInfo(BassHandle handle, BassChannelInfo& info)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = find(handle);
    if (!channel) {
        return false;
    }
    info.freq = static_cast<std::uint32_t>(channel->sourceRate());
    info.chans = static_cast<std::uint32_t>(channel->sourceChannels());
    info.flags = channel->flags() | (channel->loop.load() ? BASS_SAMPLE_LOOP : 0U);
    info.bitsPerSample = 16;
    EngineError::Set(BassError::Ok);
    return true;
}

int AudioEngine::getData(BassHandle handle, void* buffer, std::uint32_t lengthBytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return -1;
    }
    if ((channel->flags() & BASS_STREAM_DECODE) == 0 || channel->live || !channel->source()) {
        EngineError::Set(BassError::NotAvailable);
        return -1;
    }
    if (buffer == nullptr) {
        EngineError::Set(BassError::IllegalParam);
        return -1;
    }
    const std::int64_t bytesPerFrame = channel->bytesPerFrame();
    const std::int64_t frames = lengthBytes / bytesPerFrame;
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames * channel->sourceChannels()));
    std::int64_t done = 0;
    while (done < frames) {
        const std::int64_t got = channel->source()->read(
            pcm.data() + done * channel->sourceChannels(), frames - done);
        if (got <= 0) {
            channel->decodeEnded = true;
            break;
        }
        done += got;
    }
    std::memcpy(buffer, pcm.data(), static_cast<std::size_t>(done * bytesPerFrame));
    channel->decodeFrame += done;
    EngineError::Set(BassError::Ok);
    return static_cast<int>(done * bytesPerFrame);
}

std::int64_t AudioEngine::getLength(BassHandle handle, std::optional<std::chrono::milliseconds> maxWait,
                                    bool* exactOut)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = find(handle);
    if (!channel) {
        return -1;
    }
    bool exact = false;
    const std::int64_t frames = lengthFrames(*channel, exact, maxWait);
    if (exactOut != nullptr) {
        *exactOut = exact;
    }
    if (frames < 0) {
        EngineError::Set(BassError::NotAvailable);
        return -1;
    }
    EngineError::Set(BassError::Ok);
    return frames * channel->bytesPerFrame();
}

double AudioEngine::bytesToSeconds(BassHandle handle, std::int64_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = find(handle);
    if (!channel) {
        return -1.0;
    }
    if (bytes < 0) {
        EngineError::Set(BassError::IllegalParam);
        return -1.0;
    }
    EngineError::Set(BassError::Ok);
    return static_cast<double>(bytes) /
           static_cast<double>(channel->bytesPerFrame() * channel->sourceRate());
}
