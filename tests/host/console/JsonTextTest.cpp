#include "host/console/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>

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
    EXPECT_EQ(JsonNumber(1e20), "1E20");
    EXPECT_EQ(JsonNumber(NAN), "null");
    EXPECT_EQ(JsonNumber(-INFINITY), "null");
}

} // namespace
} // namespace vex::host
