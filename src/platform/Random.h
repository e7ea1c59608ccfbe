#pragma once
// Bounded random draws (shuffle, play lists) from one injectable source.
#include <cstdint>
#include <random>

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, n); 0 when n <= 0.
    virtual int Next(int n) = 0;
};

// Mersenne twister; the same seed gives the same draws on every run.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint32_t seed = 5489u) : engine_(seed) {}
    void Seed(std::uint32_t seed) { engine_.seed(seed); }
    // Seeds from the system's entropy source, as the program does at start.
    void Randomize() { engine_.seed(std::random_device{}()); }
    int Next(int n) override
    {
        if (n <= 0) {
            return 0;
        }
        // Rejection keeps the draw exactly uniform and identical across standard libraries.
        const std::uint32_t bound = static_cast<std::uint32_t>(n);
        const std::uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % bound + 1u) % bound;
        std::uint32_t draw = static_cast<std::uint32_t>(engine_());
        while (draw > limit) {
            draw = static_cast<std::uint32_t>(engine_());
        }
        return static_cast<int>(draw % bound);
    }

private:
    std::mt19937 engine_;
};
