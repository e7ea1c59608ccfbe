#include "audio/PeakingBand.h"

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <numbers>

BiquadCoefs PeakingCoefs(const BassEqParams& params, int rate)
{
    BiquadCoefs c;
    if (rate <= 0 || params.gainDb == 0.0f || params.centerHz <= 0.0f ||
        params.centerHz >= 0.45f * static_cast<float>(rate)) {
        return c;
    }
    const double w0 = 2.0 * std::numbers::pi * params.centerHz / rate;
    const double octaves = params.bandwidthSemitones / 12.0;
    const double a = std::pow(10.0, params.gainDb / 40.0);
    const double alpha = std::sin(w0) * std::sinh(std::numbers::ln2 / 2.0 * octaves * w0 / std::sin(w0));
    const double a0 = 1.0 + alpha / a;
    c.b0 = static_cast<float>((1.0 + alpha * a) / a0);
    c.b1 = static_cast<float>(-2.0 * std::cos(w0) / a0);
    c.b2 = static_cast<float>((1.0 - alpha * a) / a0);
    c.a1 = c.b1;
    c.a2 = static_cast<float>((1.0 - alpha / a) / a0);
    c.identity = false;
    return c;
}

void PeakingBand::setTarget(const BiquadCoefs& coefs, int fadeFrames)
{
    old_ = cur_;
    for (int ch = 0; ch < 2; ++ch) {
        zOld_[ch][0] = z_[ch][0];
        zOld_[ch][1] = z_[ch][1];
        if (cur_.identity) {
            // The bypassed filter kept no meaningful state: start the new one from rest.
            z_[ch][0] = z_[ch][1] = 0.0f;
        }
    }
    cur_ = coefs;
    fadeTotal_ = fadeFrames > 0 ? fadeFrames : 1;
    fadeLeft_ = fadeTotal_;
}

void PeakingBand::reset()
{
    for (auto& z : z_) {
        z[0] = z[1] = 0.0f;
    }
    fadeLeft_ = 0;
}

inline float PeakingBand::Step(const BiquadCoefs& c, float (&z)[2], float x)
{
    const float y = c.b0 * x + z[0];
    z[0] = c.b1 * x - c.a1 * y + z[1];
    z[1] = c.b2 * x - c.a2 * y;
    return y;
}

void PeakingBand::flushDenormals()
{
    for (auto& z : z_) {
        // A decaying tail leaves denormals; they cost a hundred times a normal multiply.
        for (float& v : z) {
            if (std::fabs(v) < 1e-20f) {
                v = 0.0f;
            }
        }
    }
}

// The steady filter over frames [from, frames), with coefficients and state in registers: kept
// in members, every sample would be stored and reloaded, since the samples might alias them.
void PeakingBand::runSteady(float* interleaved, int from, int frames, int channels)
{
    const float b0 = cur_.b0, b1 = cur_.b1, b2 = cur_.b2, a1 = cur_.a1, a2 = cur_.a2;
    if (channels == 2) {
        float l0 = z_[0][0], l1 = z_[0][1], r0 = z_[1][0], r1 = z_[1][1];
        for (int i = from; i < frames; ++i) {
            const float xl = interleaved[2 * i];
            const float xr = interleaved[2 * i + 1];
            const float yl = b0 * xl + l0;
            const float yr = b0 * xr + r0;
            l0 = b1 * xl - a1 * yl + l1;
            r0 = b1 * xr - a1 * yr + r1;
            l1 = b2 * xl - a2 * yl;
            r1 = b2 * xr - a2 * yr;
            interleaved[2 * i] = yl;
            interleaved[2 * i + 1] = yr;
        }
        z_[0][0] = l0, z_[0][1] = l1, z_[1][0] = r0, z_[1][1] = r1;
    } else {
        float m0 = z_[0][0], m1 = z_[0][1];
        for (int i = from; i < frames; ++i) {
            const float x = interleaved[i];
            const float y = b0 * x + m0;
            m0 = b1 * x - a1 * y + m1;
            m1 = b2 * x - a2 * y;
            interleaved[i] = y;
        }
        z_[0][0] = m0, z_[0][1] = m1;
    }
}

void PeakingBand::process(float* interleaved, int frames, int channels)
{
    if (bypassed()) {
        return;
    }
    int i = 0;
    for (; i < frames && fadeLeft_ > 0; ++i, --fadeLeft_) {
        const float mixNew = 1.0f - static_cast<float>(fadeLeft_) / static_cast<float>(fadeTotal_);
        for (int ch = 0; ch < channels; ++ch) {
            float& s = interleaved[i * channels + ch];
            const float yOld = old_.identity ? s : Step(old_, zOld_[ch], s);
            const float yNew = cur_.identity ? s : Step(cur_, z_[ch], s);
            s = yOld + (yNew - yOld) * mixNew;
        }
    }
    if (!cur_.identity) {
        runSteady(interleaved, i, frames, channels);
    }
    flushDenormals();
}

namespace {
struct CascadeStage
{
    float b0, b1, b2, a1, a2;
    float z[2][2];
};

template <int Channels> void RunCascade(CascadeStage* stages, int count, float* interleaved, int frames)
{
    for (int i = 0; i < frames; ++i) {
        float x[Channels];
        for (int ch = 0; ch < Channels; ++ch) {
            x[ch] = interleaved[Channels * i + ch];
        }
        for (int k = 0; k < count; ++k) {
            CascadeStage& s = stages[k];
            for (int ch = 0; ch < Channels; ++ch) {
                const float y = s.b0 * x[ch] + s.z[ch][0];
                s.z[ch][0] = s.b1 * x[ch] - s.a1 * y + s.z[ch][1];
                s.z[ch][1] = s.b2 * x[ch] - s.a2 * y;
                x[ch] = y;
            }
        }
        for (int ch = 0; ch < Channels; ++ch) {
            interleaved[Channels * i + ch] = x[ch];
        }
    }
}

#if defined(__SSE2__)
// Both sides in one register: the same operations in the same order as the scalar form, so the
// same results, for half the instructions.
void RunStereoCascade(CascadeStage* stages, int count, float* interleaved, int frames)
{
    struct Lanes
    {
        __m128 b0, b1, b2, a1, a2, z0, z1;
    };
    Lanes lanes[PeakingBand::kMaxCascade];
    for (int k = 0; k < count; ++k) {
        const CascadeStage& s = stages[k];
        lanes[k] = Lanes{_mm_set1_ps(s.b0),
                         _mm_set1_ps(s.b1),
                         _mm_set1_ps(s.b2),
                         _mm_set1_ps(s.a1),
                         _mm_set1_ps(s.a2),
                         _mm_setr_ps(s.z[0][0], s.z[1][0], 0.0f, 0.0f),
                         _mm_setr_ps(s.z[0][1], s.z[1][1], 0.0f, 0.0f)};
    }
    for (int i = 0; i < frames; ++i) {
        __m64* frame = reinterpret_cast<__m64*>(interleaved + 2 * i); // one L R pair
        __m128 x = _mm_loadl_pi(_mm_setzero_ps(), frame);
        for (int k = 0; k < count; ++k) {
            Lanes& l = lanes[k];
            const __m128 y = _mm_add_ps(_mm_mul_ps(l.b0, x), l.z0);
            l.z0 = _mm_add_ps(_mm_sub_ps(_mm_mul_ps(l.b1, x), _mm_mul_ps(l.a1, y)), l.z1);
            l.z1 = _mm_sub_ps(_mm_mul_ps(l.b2, x), _mm_mul_ps(l.a2, y));
            x = y;
        }
        _mm_storel_pi(frame, x);
    }
    for (int k = 0; k < count; ++k) {
        alignas(16) float z0[4];
        alignas(16) float z1[4];
        _mm_store_ps(z0, lanes[k].z0);
        _mm_store_ps(z1, lanes[k].z1);
        stages[k].z[0][0] = z0[0];
        stages[k].z[1][0] = z0[1];
        stages[k].z[0][1] = z1[0];
        stages[k].z[1][1] = z1[1];
    }
}
#endif
} // namespace

void PeakingBand::ProcessCascade(PeakingBand* const* bands, int count, float* interleaved, int frames,
                                 int channels)
{
    if (count <= 0 || frames <= 0) {
        return;
    }
    if (count == 1) {
        bands[0]->process(interleaved, frames, channels);
        return;
    }
    // A local copy of every stage, so the compiler knows the samples cannot overwrite them.
    CascadeStage stages[kMaxCascade];
    count = count < kMaxCascade ? count : kMaxCascade;
    for (int k = 0; k < count; ++k) {
        const PeakingBand& b = *bands[k];
        stages[k] = CascadeStage{b.cur_.b0, b.cur_.b1, b.cur_.b2,
                                 b.cur_.a1, b.cur_.a2, {{b.z_[0][0], b.z_[0][1]}, {b.z_[1][0], b.z_[1][1]}}};
    }
    if (channels == 2) {
#if defined(__SSE2__)
        RunStereoCascade(stages, count, interleaved, frames);
#else
        RunCascade<2>(stages, count, interleaved, frames);
#endif
    } else {
        RunCascade<1>(stages, count, interleaved, frames);
    }
    for (int k = 0; k < count; ++k) {
        PeakingBand& b = *bands[k];
        for (int ch = 0; ch < 2; ++ch) {
            b.z_[ch][0] = stages[k].z[ch][0];
            b.z_[ch][1] = stages[k].z[ch][1];
        }
        b.flushDenormals();
    }
}
