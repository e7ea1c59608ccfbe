#include "audio/LevelMeter.h"

#include <algorithm>
#include <cmath>

void LevelMeter::configure(int rate)
{
    segmentFrames_ = std::max(1, rate / 400);
    reset();
}

void LevelMeter::reset()
{
    for (auto& p : peaks_) {
        p[0] = p[1] = 0.0f;
    }
    segment_ = 0;
    segmentFill_ = 0;
    word_.store(0, std::memory_order_relaxed);
}

void LevelMeter::feed(const float* interleaved, int frames, int channels)
{
    // Segment by segment, so the inner loop is a plain running maximum.
    for (int i = 0; i < frames;) {
        const int run = std::min(frames - i, segmentFrames_ - segmentFill_);
        float* p = peaks_[segment_];
        float left = p[0];
        float right = p[1];
        if (channels > 1) {
            for (int k = i; k < i + run; ++k) {
                left = std::max(left, std::fabs(interleaved[k * channels]));
                right = std::max(right, std::fabs(interleaved[k * channels + 1]));
            }
        } else {
            for (int k = i; k < i + run; ++k) {
                left = std::max(left, std::fabs(interleaved[k]));
            }
            right = left;
        }
        p[0] = left;
        p[1] = right;
        i += run;
        segmentFill_ += run;
        if (segmentFill_ >= segmentFrames_) {
            segmentFill_ = 0;
            segment_ = (segment_ + 1) % kSegments;
            peaks_[segment_][0] = peaks_[segment_][1] = 0.0f;
        }
    }
    float left = 0.0f;
    float right = 0.0f;
    for (const auto& p : peaks_) {
        left = std::max(left, p[0]);
        right = std::max(right, p[1]);
    }
    const auto toWord = [](float v) {
        return static_cast<std::uint32_t>(std::lround(std::min(v, 1.0f) * 32768.0f));
    };
    word_.store(toWord(left) | (toWord(right) << 16), std::memory_order_relaxed);
}
