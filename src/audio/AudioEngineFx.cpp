#include "audio/AudioEngine.h"

#include "audio/Channel.h"
#include "audio/ChannelEffect.h"
#include "audio/EngineError.h"

namespace {
bool Valid(const BassEqParams& p)
{
    return p.centerHz >= 1.0f && p.centerHz <= 100000.0f && p.bandwidthSemitones >= 1.0f &&
           p.bandwidthSemitones <= 36.0f && p.gainDb >= -15.0f && p.gainDb <= 15.0f;
}

bool Valid(const BassReverbParams& p)
{
    return p.inGainDb >= -96.0f && p.inGainDb <= 0.0f && p.reverbMixDb >= -96.0f &&
           p.reverbMixDb <= 0.0f && p.reverbTimeMs >= 0.001f && p.reverbTimeMs <= 3000.0f &&
           p.highFreqRatio >= 0.001f && p.highFreqRatio <= 0.999f;
}
} // namespace

BassFxHandle AudioEngine::setFx(BassHandle handle, int type, int priority)
{
    (void)priority; // effects run in the order they were set, which is the order callers want
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return 0;
    }
    if (type != BassFxParamEq && type != BassFxReverb) {
        EngineError::Set(BassError::IllegalType);
        return 0;
    }
    for (auto& slot : channel->effects) {
        if (slot.load() == nullptr) {
            const BassFxHandle fx = nextHandle_++;
            auto effect = std::make_unique<ChannelEffect>(fx, type, rate_, outChannels_);
            ChannelEffect* raw = effect.get();
            channel->ownedEffects.push_back(std::move(effect));
            slot.store(raw, std::memory_order_release);
            effects_[fx] = {handle, raw};
            EngineError::Set(BassError::Ok);
            return fx;
        }
    }
    EngineError::Set(BassError::NoEffects);
    return 0;
}

bool AudioEngine::removeFx(BassHandle handle, BassFxHandle fx)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto channel = findUsable(handle);
    if (!channel) {
        return false;
    }
    const auto it = effects_.find(fx);
    if (it == effects_.end() || it->second.first != handle) {
        return EngineError::Fail(BassError::Handle);
    }
    // The object lives on with its stream: the mixer may be inside it right now.
    it->second.second->disable();
    for (auto& slot : channel->effects) {
        if (slot.load() == it->second.second) {
            slot.store(nullptr);
        }
    }
    effects_.erase(it);
    EngineError::Set(BassError::Ok);
    return true;
}

ChannelEffect* AudioEngine::findFx(BassFxHandle fx, int type)
{
    const auto it = effects_.find(fx);
    if (it == effects_.end()) {
        EngineError::Set(BassError::Handle);
        return nullptr;
    }
    if (it->second.second->type() != type) {
        EngineError::Set(BassError::IllegalType);
        return nullptr;
    }
    return it->second.second;
}

bool AudioEngine::fxGet(BassFxHandle fx, BassEqParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ChannelEffect* effect = findFx(fx, BassFxParamEq);
    if (effect == nullptr) {
        return false;
    }
    params = effect->params().eq;
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::fxGet(BassFxHandle fx, BassReverbParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ChannelEffect* effect = findFx(fx, BassFxReverb);
    if (effect == nullptr) {
        return false;
    }
    params = effect->params().reverb;
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::fxSet(BassFxHandle fx, const BassEqParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ChannelEffect* effect = findFx(fx, BassFxParamEq);
    if (effect == nullptr) {
        return false;
    }
    if (!Valid(params)) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    ChannelEffect::Params p = effect->params();
    p.eq = params;
    effect->setParams(p);
    EngineError::Set(BassError::Ok);
    return true;
}

bool AudioEngine::fxSet(BassFxHandle fx, const BassReverbParams& params)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ChannelEffect* effect = findFx(fx, BassFxReverb);
    if (effect == nullptr) {
        return false;
    }
    if (!Valid(params)) {
        return EngineError::Fail(BassError::IllegalParam);
    }
    ChannelEffect::Params p = effect->params();
    p.reverb = params;
    effect->setParams(p);
    EngineError::Set(BassError::Ok);
    return true;
}
