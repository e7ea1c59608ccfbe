#pragma once

#include <memory>
#include <vector>

// Converts a stream from its file's rate to the output's by band-limited interpolation: a
// windowed-sinc filter with one row of taps per phase of the two rates' exact ratio. A file at
// another rate than the output's (44.1 kHz files at the default 48 kHz output) plays through it
// when tempo, pitch and rate are untouched; it keeps the top octave clean, which the
// time-stretcher's interpolation does not, at a fraction of its cost.
// Frames are interleaved floats. Used by one thread at a time (the feeder).
class RateConverter {
public:
    // False when the ratio needs more phases than a table holds (odd rates): the time-stretcher
    // converts those.
    static bool Supports(int inRate, int outRate);

    RateConverter(int inRate, int outRate, int channels);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // Forgets all input: the next frame put is the first of a new passage (a seek).
    void reset();
    // Takes input frames.
    void put(const float* frames, int count);
    // The input has ended: the last frames' output comes out as the filter runs past them.
    void flush();
    // Writes up to maxFrames output frames; returns how many the input put so far allows.
    int get(float* out, int maxFrames);

    // Input frames per output frame.
    double ratio() const;

private:
    struct Table;
    // Tables are shared between streams at the same rates: a sound's start does not build one.
    static std::shared_ptr<const Table> SharedTable(int inRate, int outRate);
    void compact();

    std::shared_ptr<const Table> table_;
    int channels_;
    std::vector<std::vector<float>> input_; // per channel; [0, halfTaps - 1) is history
    long long base_ = 0;                    // input index of the next output frame's time
    long long phase_ = 0;                   // in steps of 1 / table's phases past base_
};
