#pragma once

#include "audio/Bass.h"

#include <array>
#include <vector>

// A small room reverb (four damped feedback combs into two all-passes per side) added to the dry
// sound: out = dry + mix * reverb(inGain * dry). A mix of -96 dB leaves the sound untouched, bit
// for bit. Mixer side; buffers are allocated by allocate() on the GUI thread.
class Reverb {
public:
    void allocate(int rate, int channels);
    // Takes new parameters; gains move across the next processed block.
    void setTarget(const BassReverbParams& params);
    void process(float* interleaved, int frames, int channels);

private:
    struct Comb {
        std::vector<float> buffer;
        int index = 0;
        float feedback = 0.0f;
        float damping = 0.0f;
        float low = 0.0f;
    };
    struct AllPass {
        std::vector<float> buffer;
        int index = 0;
    };
    struct Side {
        std::array<Comb, 4> combs;
        std::array<AllPass, 2> allPasses;
    };

    void clear();
    void processSide(Side& side, float* interleaved, int frames, int channels, int channel, float inStep,
                     float mixStep);

    int rate_ = 44100;
    std::array<Side, 2> sides_;
    BassReverbParams params_;
    float inGain_ = 1.0f;
    float mixGain_ = 1.0f;
    float targetInGain_ = 1.0f;
    float targetMixGain_ = 1.0f;
    bool bypassed_ = false;
};
