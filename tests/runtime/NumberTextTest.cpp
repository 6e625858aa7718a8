#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace vex {
namespace {

struct ParsedRow {
    std::string text;
    double value;
};

TEST(TextToNumber, AcceptsDecimalForms) {
    const ParsedRow rows[] = {
        {"0", 0},
        {"5", 5},
        {"-12", -12},
        {"+7", 7},
        {"007", 7},
        {"3.25", 3.25},
        {"5.", 5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"+.25", 0.25},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5e-3", 0.0025},
        {"-4.E2", -400},
        {".5e1", 5},
        {"1e0005", 1e5},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const ParsedRow& row : rows) {
        double value = -1;
        EXPECT_TRUE(TextToNumber(row.text, value)) << row.text;
        EXPECT_EQ(value, row.value) << row.text;
    }
}

TEST(TextToNumber, RejectsEverythingElseAndKeepsTheValue) {
    const std::string rows[] = {
        "",
        "+",
        "-",
        ".",
        "-.",
        "e5",
        "E5",
        "1e",
        "1e+",
        "1e-",
        "1e+-2",
        "--1",
        "+-1",
        " 1",
        "1 ",
        "1,5",
        "0x10",
        "inf",
        "-inf",
        "nan",
        "1.2.3",
        "1e5.0",
        "1..2",
        ".e1",
        "5a",
        "1e400",
        "-1e400",
        "1e-400",
        std::string("1\0", 2),
        std::string(1, '\0') + "1",
        "\xb9",
        "1e5e5",
    };
    for (const std::string& text : rows) {
        double value = 42;
        EXPECT_FALSE(TextToNumber(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

struct FormatRow {
    double value;
    std::string text;
};

TEST(FormatNumber, GeneralFormWithFifteenDigits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FormatRow rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {5, "5"},
        {-12, "-12"},
        {100, "100"},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {1234.5, "1234.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {3.14159265358979323846, "3.14159265358979"},
        {123456789012345.0, "123456789012345"},
        {1e14, "100000000000000"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E15"},
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {-2.5e15, "-2.5E15"},
        {1e20, "1E20"},
        {1e300, "1E300"},
        {0.00001, "0.00001"},
        {0.000015, "0.000015"},
        {-0.000012345, "-0.000012345"},
        {0.000001, "1E-6"},
        {1.5e-7, "1.5E-7"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {nan, "NAN"},
        {inf, "INF"},
        {-inf, "-INF"},
    };
    for (const FormatRow& row : rows) {
        EXPECT_EQ(FormatNumber(row.value), row.text) << row.text;
    }
}

// Any number written with at most 15 significant digits survives formatting and reading back.
TEST(FormatNumber, ReadsBackToTheSameValue) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<long long> mantissa(1, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-320, 290);
    for (int i = 0; i < 20000; ++i) {
        const std::string written =
            std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random));
        double value = 0;
        ASSERT_TRUE(TextToNumber(written, value)) << written;
        if (std::fpclassify(value) == FP_SUBNORMAL) {
            continue; // fewer than 15 digits of precision there
        }
        double readBack = 0;
        const std::string shown = FormatNumber(-value);
        ASSERT_TRUE(TextToNumber(shown, readBack)) << written << " shown as " << shown;
        EXPECT_EQ(readBack, -value) << written << " shown as " << shown;
    }
}

} // namespace
} // namespace vex
