// Random numbers for simulation models, drawn from the host's one seedable generator. A run
// that starts with the same seed gives the same numbers on every platform (see
// host/RandomGenerator.h). The generator starts from a fixed seed, so an unseeded run repeats
// too. A draw that is no finite number (bounds so far apart that their distance overflows) is
// an error, never an infinity.

#include "host/WordHost.h"
#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cmath>

namespace vex::host {

namespace {

// The largest integer every double below it represents exactly.
constexpr std::int64_t kExactIntegers = std::int64_t{1} << 53;

TRandomGenerator& Generator(TLanguageInterpreter& c) {
    return WordHostOf(c).Random();
}

double NotBelow(TLanguageInterpreter& c, TCallNode& n, int i, double low) {
    const double value = NumberArg(c, n, i);
    if (!(value >= low)) {
        ArgumentError(c, n, i, FormatNumber(value) + " is below " + FormatNumber(low));
    }
    return value;
}

double RandomSeed(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const std::int64_t seed = IntegerArg(c, n, 1, 0, kExactIntegers);
    Generator(c).Seed(static_cast<std::uint64_t>(seed));
    return static_cast<double>(seed);
}

double Random(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return Generator(c).Uniform01();
}

double Uniform(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double low = NumberArg(c, n, 1);
    const double high = NotBelow(c, n, 2, low);
    return Finite(c, n, low, high, Generator(c).Uniform(low, high));
}

double Exponential(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double mean = NotBelow(c, n, 1, 0);
    const double result = Generator(c).Exponential(mean);
    if (!std::isfinite(result)) {
        NotFiniteError(c, n, {mean});
    }
    return result;
}

double Normal(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double mean = NumberArg(c, n, 1);
    const double deviation = NotBelow(c, n, 2, 0);
    return Finite(c, n, mean, deviation, Generator(c).Normal(mean, deviation));
}

double Triangular(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double low = NumberArg(c, n, 1);
    const double mode = NotBelow(c, n, 2, low);
    const double high = NotBelow(c, n, 3, mode);
    return Generator(c).Triangular(low, mode, high);
}

double RandomInt(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const std::int64_t low = IntegerArg(c, n, 1, -kExactIntegers, kExactIntegers);
    const std::int64_t high = IntegerArg(c, n, 2, low, kExactIntegers);
    return static_cast<double>(Generator(c).IntegerIn(low, high));
}

// clang-format off
const TWordRow kRows[] = {
    {400, "RandomSeed",  "Random", RandomSeed,  1, 1, "Restarts the random numbers from a seed (a whole number from 0 to 2^53); the same seed gives the same numbers.", "RandomSeed(42)"},
    {401, "Random",      "Random", Random,      0, 0, "A random number from 0 (included) to 1 (excluded).", "Random"},
    {402, "Uniform",     "Random", Uniform,     2, 2, "A random number evenly spread from a low (included) to a high value (excluded).", "Uniform(2,5)"},
    {403, "Exponential", "Random", Exponential, 1, 1, "A random number from the exponential distribution with a mean, as for times between arrivals.", "Exponential(4)"},
    {404, "Normal",      "Random", Normal,      2, 2, "A random number from the normal distribution with a mean and a standard deviation.", "Normal(10,2)"},
    {405, "Triangular",  "Random", Triangular,  3, 3, "A random number from the triangular distribution with a low, a most likely and a high value.", "Triangular(2,3,6)"},
    {406, "RandomInt",   "Random", RandomInt,   2, 2, "A random whole number from a low to a high value, both included, each equally likely.", "RandomInt(1,6)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> RandomWordRows() {
    return kRows;
}

} // namespace vex::host
