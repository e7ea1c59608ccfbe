#pragma once

#include "audio/Bass.h"

// Coefficients of one peaking band (transposed direct form II, normalised by a0).
struct BiquadCoefs
{
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    bool identity = true;
};

// Gain exactly gainDb at the centre; the bandwidth is in semitones between the points where the
// gain is half of gainDb in dB (+6 dB for a +12 dB band). A flat band, or one at or above 0.45 x
// the rate (where the filter would turn unstable), passes the sound untouched.
BiquadCoefs PeakingCoefs(const BassEqParams& params, int rate);

// One band of one channel, mixer side. A change of coefficients is cross-faded from the old
// filter's output to the new one's across fadeFrames, so moving a slider never clicks.
class PeakingBand
{
public:
    static constexpr int kMaxCascade = 32;

    void setTarget(const BiquadCoefs& coefs, int fadeFrames);
    void process(float* interleaved, int frames, int channels);
    void reset();
    // No cross-fade in progress: the band may run in a cascade with its neighbours.
    bool steady() const { return fadeLeft_ <= 0; }
    // Steady and flat: it leaves the sound exactly as it is and need not run at all.
    bool bypassed() const { return fadeLeft_ <= 0 && cur_.identity; }

    // Runs up to kMaxCascade steady, active bands one after the other over the block, sample by
    // sample. Each band's output equals what process() would give, bit for bit; but the bands'
    // recursions, each waiting on its own previous sample, now overlap in the processor.
    static void ProcessCascade(PeakingBand* const* bands, int count, float* interleaved, int frames,
                               int channels);

private:
    static float Step(const BiquadCoefs& c, float (&z)[2], float x);
    void runSteady(float* interleaved, int from, int frames, int channels);
    void flushDenormals();

    BiquadCoefs cur_;
    BiquadCoefs old_;
    float z_[2][2] = {};
    float zOld_[2][2] = {};
    int fadeLeft_ = 0;
    int fadeTotal_ = 0;
};
