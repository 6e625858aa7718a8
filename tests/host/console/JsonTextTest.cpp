#include "host/console/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace vex::host {
namespace {

TEST(JsonTextTest, StringsAndNumbers) {
    const struct {
        const char* Bytes;
        const char* Json;
    } strings[] = {
        {"plain", "\"plain\""},
        {"q\"b\\", "\"q\\\"b\\\\\""},
        {"a\nb\tc\x01", "\"a\\nb\\tc\\u0001\""},
        {"\xe9\x80\x81", "\"\xc3\xa9\xe2\x82\xac\xc2\x81\""},
    };
    for (const auto& row : strings) {
        EXPECT_EQ(JsonString(row.Bytes), row.Json);
    }
    EXPECT_EQ(JsonNumber(0.5), "0.5");
    EXPECT_EQ(JsonNumber(1e20), "1e+20");
    EXPECT_EQ(JsonNumber(std::sqrt(2.0)), "1.4142135623730951");
    EXPECT_EQ(JsonNumber(NAN), "null");
    EXPECT_EQ(JsonNumber(-INFINITY), "null");
}

// Every finite number reads back as the same double, with no more digits than that needs.
TEST(JsonTextTest, NumbersReadBackExactly) {
    for (const double value : {0.1 + 0.2, 1.0 / 3, 2.0 / 3, 1e-300, 5e-324, 1.7976931348623157e308,
                               -123456.789, 9007199254740993.0, 42.0}) {
        const std::string json = JsonNumber(value);
        EXPECT_EQ(std::strtod(json.c_str(), nullptr), value) << json;
    }
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(42), "42");
}

} // namespace
} // namespace vex::host
