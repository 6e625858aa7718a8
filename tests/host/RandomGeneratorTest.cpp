// The random generator: reproducible from a seed, and each distribution in its range with the
// right mean.

#include "host/RandomGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace vex::host {
namespace {

TEST(RandomGeneratorTest, TheSameSeedGivesTheSameNumbers) {
    TRandomGenerator first;
    TRandomGenerator second;
    first.Seed(42);
    second.Seed(42);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(first.Normal(0, 1), second.Normal(0, 1));
        EXPECT_EQ(first.IntegerIn(1, 6), second.IntegerIn(1, 6));
    }
    TRandomGenerator fresh;
    TRandomGenerator seededWithDefault;
    seededWithDefault.Seed(TRandomGenerator::kDefaultSeed);
    EXPECT_EQ(fresh.Uniform01(), seededWithDefault.Uniform01());
}

// The engine's output is fixed by the C++ standard, and the uniform numbers and integers are
// exact functions of it, so these values hold on every platform.
TEST(RandomGeneratorTest, UniformNumbersAndIntegersAreFixedBySeed) {
    TRandomGenerator generator;
    std::mt19937_64 engine(TRandomGenerator::kDefaultSeed);
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(generator.Uniform01(), static_cast<double>(engine() >> 11) * 0x1.0p-53);
    }
    generator.Seed(2024);
    std::vector<std::int64_t> dice;
    for (int i = 0; i < 10; ++i) {
        dice.push_back(generator.IntegerIn(1, 6));
    }
    EXPECT_EQ(dice, (std::vector<std::int64_t>{5, 2, 6, 5, 5, 4, 5, 6, 3, 5}));
}

struct TDistributionCase {
    const char* Name;
    std::function<double(TRandomGenerator&)> Draw;
    double Low;
    double High;
    double Mean;
};

TEST(RandomGeneratorTest, DistributionsStayInRangeWithTheirMean) {
    const TDistributionCase cases[] = {
        {"uniform", [](TRandomGenerator& g) { return g.Uniform(2, 5); }, 2, 5, 3.5},
        {"exponential", [](TRandomGenerator& g) { return g.Exponential(4); }, 0, INFINITY, 4},
        {"normal", [](TRandomGenerator& g) { return g.Normal(10, 2); }, -INFINITY, INFINITY, 10},
        {"triangular", [](TRandomGenerator& g) { return g.Triangular(2, 3, 7); }, 2, 7, 4},
        {"integer", [](TRandomGenerator& g) { return static_cast<double>(g.IntegerIn(1, 6)); }, 1,
         6, 3.5},
    };
    constexpr int kDraws = 200000;
    for (const TDistributionCase& row : cases) {
        TRandomGenerator generator;
        generator.Seed(7);
        double sum = 0;
        for (int i = 0; i < kDraws; ++i) {
            const double value = row.Draw(generator);
            ASSERT_GE(value, row.Low) << row.Name;
            ASSERT_LE(value, row.High) << row.Name;
            sum += value;
        }
        EXPECT_NEAR(sum / kDraws, row.Mean, row.Mean * 0.01) << row.Name;
    }
}

TEST(RandomGeneratorTest, IntegersCoverTheWholeRangeEvenly) {
    TRandomGenerator generator;
    std::vector<int> counts(6);
    for (int i = 0; i < 60000; ++i) {
        ++counts[static_cast<std::size_t>(generator.IntegerIn(-2, 3) + 2)];
    }
    for (int count : counts) {
        EXPECT_NEAR(count, 10000, 400);
    }
    EXPECT_EQ(generator.IntegerIn(5, 5), 5);
}

TEST(RandomGeneratorTest, NormalDeviationAndDegenerateRanges) {
    TRandomGenerator generator;
    double sum = 0;
    double squares = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const double value = generator.Normal(0, 3);
        sum += value;
        squares += value * value;
    }
    EXPECT_NEAR(std::sqrt(squares / kDraws - (sum / kDraws) * (sum / kDraws)), 3, 0.03);
    EXPECT_EQ(generator.Uniform(4, 4), 4);
    EXPECT_EQ(generator.Triangular(4, 4, 4), 4);
    EXPECT_EQ(generator.Exponential(0), 0);
}

} // namespace
} // namespace vex::host
