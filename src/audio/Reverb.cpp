#include "audio/Reverb.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kCombMs[4] = {29.7f, 37.1f, 41.1f, 43.7f};
constexpr float kAllPassMs[2] = {5.0f, 1.7f};
constexpr float kRightSpreadMs = 0.53f; // decorrelates the two sides
constexpr float kAllPassGain = 0.7f;
constexpr float kCombScale = 0.25f;

int DelayFrames(float ms, int rate)
{
    return std::max(1, static_cast<int>(std::lround(ms * static_cast<float>(rate) / 1000.0f)));
}

float DbToGain(float db)
{
    return db <= -96.0f ? 0.0f : std::pow(10.0f, db / 20.0f);
}
} // namespace

void Reverb::allocate(int rate, int channels)
{
    rate_ = rate;
    for (int s = 0; s < 2; ++s) {
        const float spread = (s == 1 && channels == 2) ? kRightSpreadMs : 0.0f;
        for (int c = 0; c < 4; ++c) {
            sides_[s].combs[c].buffer.assign(static_cast<std::size_t>(DelayFrames(kCombMs[c] + spread, rate)),
                                             0.0f);
        }
        for (int a = 0; a < 2; ++a) {
            sides_[s].allPasses[a].buffer.assign(
                static_cast<std::size_t>(DelayFrames(kAllPassMs[a] + spread, rate)), 0.0f);
        }
    }
    setTarget(params_);
    inGain_ = targetInGain_;
    mixGain_ = targetMixGain_;
}

void Reverb::setTarget(const BassReverbParams& params)
{
    params_ = params;
    targetInGain_ = DbToGain(params.inGainDb);
    targetMixGain_ = DbToGain(params.reverbMixDb);
    const float timeMs = std::max(params.reverbTimeMs, 0.001f);
    const float hfRatio = std::clamp(params.highFreqRatio, 0.001f, 0.999f);
    for (auto& side : sides_) {
        for (auto& comb : side.combs) {
            const float delayMs =
                static_cast<float>(comb.buffer.size()) * 1000.0f / static_cast<float>(rate_);
            // Loop gain for a 60 dB decay over the reverb time; the highs decay hfRatio times faster.
            comb.feedback = std::pow(10.0f, -3.0f * delayMs / timeMs);
            const float highs = std::pow(10.0f, -3.0f * delayMs / timeMs * (1.0f / hfRatio - 1.0f));
            comb.damping = (1.0f - highs) / (1.0f + highs);
        }
    }
}

void Reverb::clear()
{
    for (auto& side : sides_) {
        for (auto& comb : side.combs) {
            std::fill(comb.buffer.begin(), comb.buffer.end(), 0.0f);
            comb.low = 0.0f;
        }
        for (auto& ap : side.allPasses) {
            std::fill(ap.buffer.begin(), ap.buffer.end(), 0.0f);
        }
    }
}

// One side over the block: the comb and all-pass states are held in locals for the whole block
// (kept in the members they would be reloaded at every sample, as the samples might alias them),
// and the gains ramp exactly as the whole block's ramp does on the other side.
void Reverb::processSide(Side& side, float* interleaved, int frames, int channels, int channel, float inStep,
                         float mixStep)
{
    struct LocalComb
    {
        float* buffer;
        int size, index;
        float feedback, damping, keep, low;
    };
    LocalComb combs[4];
    for (int c = 0; c < 4; ++c) {
        Comb& comb = side.combs[static_cast<std::size_t>(c)];
        combs[c] = LocalComb{comb.buffer.data(),
                             static_cast<int>(comb.buffer.size()),
                             comb.index,
                             comb.feedback,
                             comb.damping,
                             1.0f - comb.damping,
                             comb.low};
    }
    AllPass& ap0 = side.allPasses[0];
    AllPass& ap1 = side.allPasses[1];
    float* apBuffer[2] = {ap0.buffer.data(), ap1.buffer.data()};
    const int apSize[2] = {static_cast<int>(ap0.buffer.size()), static_cast<int>(ap1.buffer.size())};
    int apIndex[2] = {ap0.index, ap1.index};
    float inGain = inGain_;
    float mixGain = mixGain_;
    for (int i = 0; i < frames; ++i) {
        inGain += inStep;
        mixGain += mixStep;
        float& s = interleaved[i * channels + channel];
        const float in = inGain * s;
        float sum = 0.0f;
        for (LocalComb& comb : combs) {
            const float out = comb.buffer[comb.index];
            comb.low = comb.keep * out + comb.damping * comb.low;
            comb.buffer[comb.index] = in + comb.feedback * comb.low;
            comb.index = comb.index + 1 < comb.size ? comb.index + 1 : 0;
            sum += out;
        }
        float y = sum * kCombScale;
        for (int a = 0; a < 2; ++a) {
            const float delayed = apBuffer[a][apIndex[a]];
            const float v = y + kAllPassGain * delayed;
            apBuffer[a][apIndex[a]] = v;
            y = delayed - kAllPassGain * v;
            apIndex[a] = apIndex[a] + 1 < apSize[a] ? apIndex[a] + 1 : 0;
        }
        s += mixGain * y;
    }
    for (int c = 0; c < 4; ++c) {
        // The mixer flushes denormals while it renders; this keeps a silent tail at rest elsewhere.
        side.combs[static_cast<std::size_t>(c)].index = combs[c].index;
        side.combs[static_cast<std::size_t>(c)].low = std::fabs(combs[c].low) < 1e-20f ? 0.0f : combs[c].low;
    }
    ap0.index = apIndex[0];
    ap1.index = apIndex[1];
}

void Reverb::process(float* interleaved, int frames, int channels)
{
    if (sides_[0].combs[0].buffer.empty() || frames <= 0) {
        return;
    }
    if (mixGain_ == 0.0f && targetMixGain_ == 0.0f) {
        if (!bypassed_) {
            clear(); // a later return of the reverb must not replay an old tail
            bypassed_ = true;
        }
        inGain_ = targetInGain_;
        return;
    }
    bypassed_ = false;
    const float inStep = (targetInGain_ - inGain_) / static_cast<float>(frames);
    const float mixStep = (targetMixGain_ - mixGain_) / static_cast<float>(frames);
    for (int ch = 0; ch < channels; ++ch) {
        processSide(sides_[static_cast<std::size_t>(ch)], interleaved, frames, channels, ch, inStep, mixStep);
    }
    inGain_ = targetInGain_;
    mixGain_ = targetMixGain_;
}
