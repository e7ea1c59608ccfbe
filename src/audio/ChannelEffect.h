#pragma once

#include "audio/Bass.h"
#include "audio/PeakingBand.h"
#include "audio/Reverb.h"
#include "audio/SeqLocked.h"

#include <atomic>

// One effect on a channel: a peaking band or the reverb. The GUI thread sets its parameters (kept
// here so they read back exactly as set); the mixer notices each change by the record's version and
// moves to it across one block.
class ChannelEffect
{
public:
    struct Params
    {
        BassEqParams eq;
        BassReverbParams reverb;
    };

    // Allocates everything the mixer will need. GUI thread.
    ChannelEffect(BassFxHandle handle, int type, int rate, int channels);

    BassFxHandle handle() const { return handle_; }
    int type() const { return type_; }
    Params params() const { return params_.read(); }
    void setParams(const Params& params) { params_.write(params); }
    void disable() { enabled_.store(false); }
    bool enabled() const { return enabled_.load(); }

    // Mixer side. update() takes a parameter change made since the last block (a new band
    // setting starts its cross-fade over `frames`); process() then runs the effect alone, or, for
    // a band, cascadeBand() hands it to the mixer to run together with its neighbours.
    void update(int frames);
    void process(float* interleaved, int frames, int channels);
    // The band when it is steady (no cross-fade running), else nullptr.
    PeakingBand* cascadeBand() { return type_ == BassFxParamEq && band_.steady() ? &band_ : nullptr; }

private:
    BassFxHandle handle_;
    int type_;
    int rate_;
    SeqLocked<Params> params_;
    std::atomic<bool> enabled_{true};
    std::uint32_t seenVersion_ = 0;
    PeakingBand band_;
    Reverb reverb_;
};
