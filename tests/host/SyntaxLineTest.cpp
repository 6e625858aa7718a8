#include "host/SyntaxLine.h"
#include "host/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vex::host {
namespace {

TEST(SyntaxLineTest, PlaceholdersWithOptionalArgumentsInBraces) {
    const struct {
        int Min;
        int Max;
        const char* Line;
    } cases[] = {
        {0, 0, "Name"},
        {2, 2, "Name(e1,e2)"},
        {1, 3, "Name(e1{,e2,e3})"},
        {0, 2, "Name{(e1,e2)}"},
        {1, 255, "Name(e1{,e2...e255})"},
        {0, 20, "Name{(e1...e20)}"},
        {1, 11, "Name(e1{,e2,e3,e4,e5,e6,e7,e8,e9,e10,e11})"},
        {1, 12, "Name(e1{,e2...e12})"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(BuildSyntaxLine("Name", row.Min, row.Max), row.Line) << row.Min << " " << row.Max;
    }
}

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
