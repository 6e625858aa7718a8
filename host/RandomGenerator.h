#pragma once

#include <cstdint>
#include <random>

namespace vex::host {

// The random numbers of scripts: a seedable generator with the distributions simulation models
// draw from.
//
// The same seed gives the same sequence on every run, compiler and platform: the engine is
// std::mt19937_64, whose output the C++ standard fixes, and every distribution is computed here
// from it (the standard's distribution classes are free to differ between libraries). Each draw
// takes a fixed number of engine outputs, except IntegerIn, which rejects the few outputs that
// would make the result uneven.
class TRandomGenerator {
public:
    // The seed a new generator starts from.
    static constexpr std::uint64_t kDefaultSeed = 5489;

    TRandomGenerator() noexcept
        : m_engine(kDefaultSeed) {}

    // Restarts the sequence.
    void Seed(std::uint64_t seed) noexcept { m_engine.seed(seed); }

    // A number in [0, 1), with 53 random bits.
    double Uniform01() noexcept;
    // A number in [low, high); low itself when high is not above low.
    double Uniform(double low, double high) noexcept;
    // An exponentially distributed number with the given mean (>= 0).
    double Exponential(double mean) noexcept;
    // A normally distributed number (Box-Muller, two engine outputs per draw).
    double Normal(double mean, double deviation) noexcept;
    // A number from the triangular distribution on [low, high] with its peak at `mode`; the
    // caller ensures low <= mode <= high.
    double Triangular(double low, double mode, double high) noexcept;
    // An integer in [low, high], every value equally likely; the caller ensures low <= high.
    std::int64_t IntegerIn(std::int64_t low, std::int64_t high) noexcept;

private:
    std::mt19937_64 m_engine;
};

} // namespace vex::host
