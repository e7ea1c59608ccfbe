#include "audio/RateConverter.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numeric>

namespace {

constexpr long long kMostPhases = 2048;
// Zero crossings of the filter on each side at an unchanged bandwidth (more when the rate goes
// down, as the band is narrower); with the window's shape this puts images below -80 dB.
constexpr int kHalfTapsAtFullBand = 16;
constexpr double kKaiserBeta = 8.0;
// The passband ends a little below the narrower rate's Nyquist frequency, so the band edge's
// images fall in the stopband.
constexpr double kPassband = 0.95;
// Input consumed ahead of the history before it is moved to the front.
constexpr long long kCompactAfter = 8192;

double BesselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 40 && term > 1e-12 * sum; ++k) {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}

double Sinc(double x)
{
    if (std::abs(x) < 1e-12) {
        return 1.0;
    }
    const double px = M_PI * x;
    return std::sin(px) / px;
}

// The taps' sum in lanes of their own, which the compiler turns into vector instructions (a single
// running sum would have to be kept in order). width is a multiple of kLanes.
constexpr int kLanes = 8;

float Dot(const float* taps, const float* samples, int width)
{
    float lanes[kLanes] = {};
    for (int j = 0; j < width; j += kLanes) {
        for (int k = 0; k < kLanes; ++k) {
            lanes[k] += taps[j + k] * samples[j + k];
        }
    }
    float sum = 0.0f;
    for (const float lane : lanes) {
        sum += lane;
    }
    return sum;
}

} // namespace

struct RateConverter::Table {
    int inRate = 0;
    int outRate = 0;
    long long phases = 1; // output steps per input frame, reduced
    long long step = 1;   // input steps per output frame, in the same units
    int halfTaps = 1;
    std::vector<float> taps; // phases rows of 2 * halfTaps

    Table(int in, int out)
        : inRate(in), outRate(out)
    {
        const long long divisor = std::gcd(static_cast<long long>(in), static_cast<long long>(out));
        phases = out / divisor;
        step = in / divisor;
        const double band = std::min(1.0, static_cast<double>(out) / in) * kPassband;
        const int reach = static_cast<int>(std::ceil(kHalfTapsAtFullBand / std::min(1.0, static_cast<double>(out) / in)));
        halfTaps = (reach + kLanes / 2 - 1) / (kLanes / 2) * (kLanes / 2); // rows of whole lanes
        const int width = 2 * halfTaps;
        taps.resize(static_cast<size_t>(phases * width));
        const double window = BesselI0(kKaiserBeta);
        for (long long p = 0; p < phases; ++p) {
            float* row = taps.data() + p * width;
            double sum = 0.0;
            for (int j = 0; j < width; ++j) {
                // Distance from the output frame's time to this tap's input frame.
                const double d = (j - halfTaps + 1) - static_cast<double>(p) / phases;
                const double x = d / halfTaps;
                const double shape = std::abs(x) >= 1.0 ? 0.0 : BesselI0(kKaiserBeta * std::sqrt(1.0 - x * x)) / window;
                const double value = band * Sinc(band * d) * shape;
                row[j] = static_cast<float>(value);
                sum += value;
            }
            // Every phase passes a constant level unchanged, so the gain does not ripple with the
            // phase.
            for (int j = 0; j < width; ++j) {
                row[j] = static_cast<float>(row[j] / sum);
            }
        }
    }
};

bool RateConverter::Supports(int inRate, int outRate)
{
    if (inRate <= 0 || outRate <= 0) {
        return false;
    }
    return outRate / std::gcd(inRate, outRate) <= kMostPhases;
}

RateConverter::RateConverter(int inRate, int outRate, int channels)
    : table_(SharedTable(inRate, outRate)), channels_(channels), input_(static_cast<size_t>(channels))
{
    reset();
}

RateConverter::~RateConverter() = default;

void RateConverter::reset()
{
    // The history before the first frame is silence.
    for (std::vector<float>& samples : input_) {
        samples.assign(static_cast<size_t>(table_->halfTaps - 1), 0.0f);
    }
    base_ = table_->halfTaps - 1;
    phase_ = 0;
}

void RateConverter::put(const float* frames, int count)
{
    for (int c = 0; c < channels_; ++c) {
        std::vector<float>& samples = input_[static_cast<size_t>(c)];
        const size_t at = samples.size();
        samples.resize(at + static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            samples[at + static_cast<size_t>(i)] = frames[i * channels_ + c];
        }
    }
}

void RateConverter::flush()
{
    for (std::vector<float>& samples : input_) {
        samples.resize(samples.size() + static_cast<size_t>(table_->halfTaps), 0.0f);
    }
}

int RateConverter::get(float* out, int maxFrames)
{
    const Table& table = *table_;
    const int width = 2 * table.halfTaps;
    const auto available = static_cast<long long>(input_.front().size());
    int made = 0;
    while (made < maxFrames && base_ + table.halfTaps < available) {
        const float* row = table.taps.data() + phase_ * width;
        for (int c = 0; c < channels_; ++c) {
            out[made * channels_ + c] =
                Dot(row, input_[static_cast<size_t>(c)].data() + (base_ - table.halfTaps + 1), width);
        }
        phase_ += table.step;
        base_ += phase_ / table.phases;
        phase_ %= table.phases;
        ++made;
    }
    compact();
    return made;
}

double RateConverter::ratio() const
{
    return static_cast<double>(table_->step) / static_cast<double>(table_->phases);
}

void RateConverter::compact()
{
    const long long consumed = base_ - (table_->halfTaps - 1);
    if (consumed < kCompactAfter) {
        return;
    }
    for (std::vector<float>& samples : input_) {
        samples.erase(samples.begin(), samples.begin() + std::min<long long>(consumed, static_cast<long long>(samples.size())));
    }
    base_ -= consumed;
}

std::shared_ptr<const RateConverter::Table> RateConverter::SharedTable(int in, int out)
{
    static std::mutex lock;
    static std::vector<std::shared_ptr<const RateConverter::Table>> tables;
    const std::lock_guard<std::mutex> guard(lock);
    for (const auto& table : tables) {
        if (table->inRate == in && table->outRate == out) {
            return table;
        }
    }
    // A run meets few rates; the oldest goes when more are met.
    constexpr size_t kKept = 8;
    if (tables.size() >= kKept) {
        tables.erase(tables.begin());
    }
    tables.push_back(std::make_shared<const RateConverter::Table>(in, out));
    return tables.back();
}
