#include "host/RandomGenerator.h"

#include <cmath>
#include <numbers>

namespace vex::host {

double TRandomGenerator::Uniform01() noexcept {
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

double TRandomGenerator::Uniform(double low, double high) noexcept {
    if (!(high > low)) {
        return low;
    }
    return low + (high - low) * Uniform01();
}

// Inversion; 1 - u lies in (0, 1], so the logarithm is finite.
double TRandomGenerator::Exponential(double mean) noexcept {
    return -mean * std::log(1.0 - Uniform01());
}

double TRandomGenerator::Normal(double mean, double deviation) noexcept {
    const double radius = std::sqrt(-2.0 * std::log(1.0 - Uniform01()));
    const double angle = 2.0 * std::numbers::pi * Uniform01();
    return mean + deviation * radius * std::cos(angle);
}

// Inversion of the distribution function, which has its bend at the mode.
double TRandomGenerator::Triangular(double low, double mode, double high) noexcept {
    const double u = Uniform01();
    const double width = high - low;
    if (width <= 0) {
        return low;
    }
    const double split = (mode - low) / width;
    if (u < split) {
        return low + std::sqrt(u * width * (mode - low));
    }
    return high - std::sqrt((1.0 - u) * width * (high - mode));
}

// Rejection keeps every value equally likely: outputs at or above the largest multiple of the
// range are drawn again.
std::int64_t TRandomGenerator::IntegerIn(std::int64_t low, std::int64_t high) noexcept {
    const std::uint64_t span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
    if (span == UINT64_MAX) {
        return static_cast<std::int64_t>(m_engine());
    }
    const std::uint64_t range = span + 1;
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t draw = m_engine();
    while (draw >= limit) {
        draw = m_engine();
    }
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + draw % range);
}

} // namespace vex::host
