#include "runtime/SyntaxLine.h"

#include <gtest/gtest.h>

namespace vex {
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

} // namespace
} // namespace vex
