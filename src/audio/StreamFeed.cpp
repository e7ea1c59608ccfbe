#include "audio/StreamFeed.h"

#include "audio/Channel.h"
#include "audio/RateConverter.h"

#include <soundtouch/SoundTouch.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
constexpr int kReadFrames = 1024;
}

StreamFeed::StreamFeed() = default;
StreamFeed::~StreamFeed() = default;

int StreamFeed::fill(Channel& channel, int targetBlocks, int maxBlocks, int outputRate, int outputChannels)
{
    if (!channel.feederSource || !channel.ring.allocated()) {
        return 0;
    }
    const std::uint32_t generation = channel.generation.load(std::memory_order_acquire);
    if (generation != generation_) {
        generation_ = generation;
        restart(channel, channel.seekFrame.load(std::memory_order_acquire));
    }
    if (finished_ || channel.state.load() == Channel::Stopped) {
        return 0;
    }
    applySettings(channel, outputRate);
    int blocks = 0;
    while (blocks < maxBlocks && !finished_ && channel.ring.filled() < targetBlocks &&
           channel.generation.load(std::memory_order_acquire) == generation_) {
        const bool ok = stretchInUse_ ? stretched(channel, outputRate, outputChannels)
                        : convert_    ? converted(channel, outputChannels)
                                      : direct(channel, outputChannels);
        if (!ok) {
            break;
        }
        ++blocks;
    }
    return blocks;
}

void StreamFeed::abandon(Channel& channel) noexcept
{
    finished_ = true;
    sourceEnded_ = true;
    stretchInUse_ = false;
    stretch_.reset(); // its state after a throw is unknown: a restart builds a new one
    convert_.reset();
    channel.endedGeneration.store(generation_, std::memory_order_release);
}

void StreamFeed::restart(Channel& channel, std::int64_t frame)
{
    PcmSource& source = *channel.feederSource;
    const bool seeked = source.seekFrame(frame);
    sourceFrame_ = frame;
    outputSourceFrame_ = static_cast<double>(frame);
    sourceEnded_ = !seeked;
    if (!seeked) {
        noteEnd(channel);
    }
    finished_ = false;
    loopPass_ = 0;
    stretchInUse_ = false;
    tempo_ = 0.0f;
    rate_ = static_cast<float>(channel.sourceRate());
    pitch_ = 0.0f;
    if (stretch_) {
        stretch_->clear();
    }
    if (convert_) {
        convert_->reset();
    }
    const std::size_t samples = static_cast<std::size_t>(kReadFrames) * 2;
    pcm_.resize(samples);
    floats_.resize(samples);
    output_.resize(samples);
}

bool StreamFeed::passThrough(const Channel& channel, int outputRate) const
{
    (void)channel;
    return tempo_ == 0.0f && pitch_ == 0.0f && rate_ == static_cast<float>(outputRate);
}

bool StreamFeed::onlyRateDiffers(const Channel& channel, int outputRate) const
{
    return tempo_ == 0.0f && pitch_ == 0.0f && rate_ == static_cast<float>(channel.sourceRate()) &&
           RateConverter::Supports(channel.sourceRate(), outputRate);
}

void StreamFeed::applySettings(Channel& channel, int outputRate)
{
    const float tempo = channel.tempoPercent.load();
    const float rate = channel.rateHz.load();
    const float pitch = channel.pitchSemitones.load();
    const bool changed = tempo != tempo_ || rate != rate_ || pitch != pitch_ || !stretch_;
    tempo_ = tempo;
    rate_ = rate;
    pitch_ = pitch;
    if (!stretchInUse_ && passThrough(channel, outputRate)) {
        return;
    }
    if (!stretchInUse_ && onlyRateDiffers(channel, outputRate)) {
        if (!convert_) {
            convert_ = std::make_unique<RateConverter>(channel.sourceRate(), outputRate, channel.sourceChannels());
        }
        return;
    }
    leaveConverter(channel);
    if (!stretch_) {
        stretch_ = std::make_unique<soundtouch::SoundTouch>();
        stretch_->setSampleRate(static_cast<unsigned>(channel.sourceRate()));
        stretch_->setChannels(static_cast<unsigned>(channel.sourceChannels()));
        stretch_->setSetting(SETTING_USE_QUICKSEEK, 1);
    }
    if (changed || !stretchInUse_) {
        stretch_->setTempo(1.0 + tempo_ / 100.0);
        stretch_->setRate(static_cast<double>(rate_) / outputRate);
        stretch_->setPitchSemiTones(pitch_);
        // At an unchanged rate nothing is resampled, so nothing can alias: the anti-alias
        // filter would only cost time (it runs even then).
        const bool resampled = pitch_ != 0.0f || rate_ != static_cast<float>(outputRate);
        stretch_->setSetting(SETTING_USE_AA_FILTER, resampled ? 1 : 0);
    }
    stretchInUse_ = true;
}

void StreamFeed::noteEnd(Channel& channel)
{
    // The source has run out (or the seek found no more): its length is measured by now, either
    // by the source itself or as the frames it gave. Published for the mixer's end position, the
    // stretched tail, the loop wrap and the GUI's length queries.
    if (channel.knownLengthFrames.load() >= 0) {
        return;
    }
    bool exact = false;
    const std::int64_t frames = channel.feederSource->lengthFramesWithin(std::chrono::milliseconds(0), exact);
    std::int64_t unknown = -1;
    channel.knownLengthFrames.compare_exchange_strong(unknown, exact ? frames : sourceFrame_);
}

bool StreamFeed::wrapOrEnd(Channel& channel)
{
    noteEnd(channel);
    if (channel.feederSource->fileChanged()) {
        // What the file holds now is not this sound: neither looped nor played on, and what is
        // already read ahead fades out rather than stopping dead.
        channel.changedGeneration.store(generation_, std::memory_order_release);
        sourceEnded_ = true;
        return false;
    }
    if (channel.loop.load() && sourceFrame_ > 0 && channel.feederSource->seekFrame(0)) {
        sourceFrame_ = 0;
        ++loopPass_;
        if (!stretchInUse_ && !convert_) {
            outputSourceFrame_ = 0.0;
        }
        return true;
    }
    sourceEnded_ = true;
    return false;
}

void StreamFeed::emit(Channel& channel, const float* source, int frames, int outputChannels, double ratio)
{
    PcmBlock* block = channel.ring.writeSlot();
    const int sc = channel.sourceChannels();
    for (int i = 0; i < frames; ++i) {
        const float left = source[i * sc];
        const float right = sc > 1 ? source[i * sc + 1] : left;
        if (outputChannels == 2) {
            block->samples[2 * i] = left;
            block->samples[2 * i + 1] = right;
        } else {
            block->samples[i] = sc > 1 ? 0.5f * (left + right) : left;
        }
    }
    block->frames = frames;
    block->sourceStartFrame = outputSourceFrame_;
    block->sourceFramesPerFrame = ratio;
    block->generation = generation_;
    block->loopPass = loopPass_;
    channel.ring.commitWrite();
    outputSourceFrame_ += frames * ratio;
    const double length = static_cast<double>(channel.knownLengthFrames.load());
    if (channel.loop.load() && length > 0.0 && outputSourceFrame_ >= length) {
        outputSourceFrame_ -= length;
    }
}

bool StreamFeed::direct(Channel& channel, int outputChannels)
{
    if (channel.ring.writeSlot() == nullptr) {
        return false;
    }
    PcmSource& source = *channel.feederSource;
    const int want = std::min(channel.ring.framesPerBlock(), kReadFrames);
    std::int64_t got = sourceEnded_ ? 0 : source.read(pcm_.data(), want);
    if (got <= 0) {
        if (!sourceEnded_ && wrapOrEnd(channel)) {
            return true;
        }
        finished_ = true;
        channel.endedGeneration.store(generation_, std::memory_order_release);
        return false;
    }
    toFloats(got * channel.sourceChannels());
    outputSourceFrame_ = static_cast<double>(sourceFrame_);
    sourceFrame_ += got;
    emit(channel, floats_.data(), static_cast<int>(got), outputChannels, 1.0);
    return true;
}

bool StreamFeed::stretched(Channel& channel, int outputRate, int outputChannels)
{
    if (channel.ring.writeSlot() == nullptr) {
        return false;
    }
    PcmSource& source = *channel.feederSource;
    const int sc = channel.sourceChannels();
    const int want = std::min(channel.ring.framesPerBlock(), kReadFrames);
    while (static_cast<int>(stretch_->numSamples()) < want && !sourceEnded_) {
        const std::int64_t got = source.read(pcm_.data(), kReadFrames);
        if (got <= 0) {
            if (wrapOrEnd(channel)) {
                continue;
            }
            stretch_->flush();
            break;
        }
        toFloats(got * sc);
        stretch_->putSamples(floats_.data(), static_cast<unsigned>(got));
        sourceFrame_ += got;
    }
    const int got = static_cast<int>(stretch_->receiveSamples(floats_.data(), static_cast<unsigned>(want)));
    return emitBeforeEnd(channel, floats_.data(), got, outputChannels, (1.0 + tempo_ / 100.0) * rate_ / outputRate);
}

bool StreamFeed::converted(Channel& channel, int outputChannels)
{
    if (channel.ring.writeSlot() == nullptr) {
        return false;
    }
    PcmSource& source = *channel.feederSource;
    const int sc = channel.sourceChannels();
    const int want = std::min(channel.ring.framesPerBlock(), kReadFrames);
    int got = convert_->get(output_.data(), want);
    while (got < want && !sourceEnded_) {
        const std::int64_t read = source.read(pcm_.data(), kReadFrames);
        if (read <= 0) {
            if (wrapOrEnd(channel)) {
                continue;
            }
            convert_->flush();
        } else {
            toFloats(read * sc);
            convert_->put(floats_.data(), static_cast<int>(read));
            sourceFrame_ += read;
        }
        got += convert_->get(output_.data() + static_cast<std::size_t>(got) * sc, want - got);
    }
    return emitBeforeEnd(channel, output_.data(), got, outputChannels, convert_->ratio());
}

bool StreamFeed::emitBeforeEnd(Channel& channel, const float* frames, int count, int outputChannels, double ratio)
{
    if (sourceEnded_) {
        // The last output is padded with silence: play no further than the end of the source.
        const double left = (static_cast<double>(channel.knownLengthFrames.load()) - outputSourceFrame_) / ratio;
        count = std::min(count, std::max(0, static_cast<int>(std::ceil(left))));
    }
    if (count <= 0) {
        if (sourceEnded_) {
            finished_ = true;
            channel.endedGeneration.store(generation_, std::memory_order_release);
        }
        return false;
    }
    emit(channel, frames, count, outputChannels, ratio);
    return true;
}

void StreamFeed::leaveConverter(Channel& channel)
{
    if (!convert_) {
        return;
    }
    // Tempo, pitch or rate were asked for: the stretcher goes on from the frame the converter
    // would have given next, not from the input it had taken ahead.
    convert_.reset();
    const auto frame = static_cast<std::int64_t>(std::llround(outputSourceFrame_));
    if (frame != sourceFrame_ && channel.feederSource->seekFrame(frame)) {
        sourceFrame_ = frame;
        sourceEnded_ = false;
    }
}

void StreamFeed::toFloats(std::int64_t samples)
{
    for (std::int64_t i = 0; i < samples; ++i) {
        floats_[static_cast<std::size_t>(i)] = pcm_[static_cast<std::size_t>(i)] / 32768.0f;
    }
}
