// The warnings for the language's traps: each trap where the language reads the text otherwise
// than it looks, at the line and column of the source, and none for the near misses that the
// language reads as they look.

#include "runtime/SourceTraps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

struct TPlace {
    TTrapKind Kind;
    int Line;
    int Column;
    bool operator==(const TPlace&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TPlace& place) {
    return out << "kind " << static_cast<int>(place.Kind) << " at " << place.Line << ":"
               << place.Column;
}

std::vector<TPlace> PlacesOf(const std::string& source) {
    std::vector<TPlace> places;
    for (const TSourceTrap& trap : FindSourceTraps(source)) {
        places.push_back({trap.Kind, trap.Line, trap.Column});
    }
    return places;
}

constexpr TTrapKind kGlued = TTrapKind::GluedTextConstants;
constexpr TTrapKind kStray = TTrapKind::StrayClosingBrace;
constexpr TTrapKind kUnclosed = TTrapKind::UnclosedComment;
constexpr TTrapKind kJoined = TTrapKind::JoinedByBlanks;
constexpr TTrapKind kSign = TTrapKind::SignBeforeName;
constexpr TTrapKind kLogic = TTrapKind::LogicBetweenComparisons;
constexpr TTrapKind kChained = TTrapKind::ChainedComparison;

TEST(SourceTrapsTest, EachTrapAtItsPlace) {
    const struct {
        std::string Source;
        std::vector<TPlace> Traps;
    } rows[] = {
        // Texts around an operator in a piece that starts with [ and ends with ].
        {"If([apple] < [banana], 1, 2)", {{kGlued, 1, 4}}},
        {"x := [a] + [b]", {{kGlued, 1, 6}}},
        {"Do(\n  Print([a]<[b]))", {{kGlued, 2, 9}}},
        {"[a]+[b]-c", {{kGlued, 1, 1}}},
        // A } without its { cuts away the text before it.
        {"Print(1) }", {{kStray, 1, 10}}},
        {"a{x}b}c", {{kStray, 1, 6}}},
        // A { that is never closed.
        {"Print(1) { note", {{kUnclosed, 1, 10}}},
        {"p{a{b}c", {{kUnclosed, 1, 2}}},
        // Blanks removed between two numbers or names.
        {"Print(1 2)", {{kJoined, 1, 9}}},
        {"Print(a\n  b)", {{kJoined, 2, 3}}},
        {"Print(x {note} y)", {{kJoined, 1, 16}}},
        // A minus before a name or a parenthesis.
        {"x := -y", {{kSign, 1, 6}}},
        {"Print(-(1+2))", {{kSign, 1, 7}}},
        {"a+-b", {{kSign, 1, 3}}},
        // Several in one text, in the order of their places.
        {"Do(Print(1 2),\n   x := -y, -(x))", {{kJoined, 1, 12}, {kSign, 2, 9}, {kSign, 2, 13}}},
        // After a stray }, the text before it is gone, and its traps with it.
        {"Print(1 2)\n}", {{kStray, 2, 1}}},
        // & and | between comparisons, at the join.
        {"If(k > 0 & k < 10, 1, 2)", {{kLogic, 1, 10}}},
        {"ok := k>0 | k<0", {{kLogic, 1, 11}}},
        {"Do(\n  a & b < 1 & c > 2)", {{kLogic, 2, 13}}},
        // Chained comparisons, at the second one: <(x=[a],[b]) compares a comparison's result.
        {"Print(1 < 2 < 3)", {{kChained, 1, 13}}},
        {"a <= b <> c", {{kChained, 1, 8}}},
        {"x = [a] < [b]", {{kChained, 1, 9}}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PlacesOf(row.Source), row.Traps) << row.Source;
    }
}

TEST(SourceTrapsTest, NearMissesThatAreReadAsTheyLook) {
    const char* const sources[] = {
        "If(([apple]) < ([banana]), 1, 2)",
        "Concat([a], [b])",
        "[a[b]c]",
        "[a < b]",
        "c-[a]+[b]",
        "-(x,1)",
        "p{a{b}c}q",
        "{c}}",
        "{ closed } Print(1)",
        "Do( a , b )",
        "1 + 2",
        "Print( [a b] )",
        "a{c}b",
        "Print(-5)",
        "x-y",
        "a*-1",
        "Print(1E-3)",
        "[-x]",
        "Print([}])",
        // Comparisons and joins that are bracketed, or alone, or with a comparison on one side.
        "(k > 0) & (k < 10)",
        "If((a<b) | (c<d), 1)",
        "x = y & z",
        "x = (y & z)",
        "a & b | c",
        "x := k < 10",
        "Print(k > 0, k < 10)",
        "1 < (2 < 3)",
        "[1 < 2 < 3]",
        "a <> b",
        "a >= b",
        "x := y := 1 < 2",
    };
    for (const char* source : sources) {
        EXPECT_EQ(PlacesOf(source), std::vector<TPlace>{}) << source;
    }
}

TEST(SourceTrapsTest, MessagesQuoteTheText) {
    const std::vector<TSourceTrap> traps = FindSourceTraps("If([apple] < [banana], 1, 2)");
    ASSERT_EQ(traps.size(), 1u);
    EXPECT_EQ(traps[0].Message,
              "\"[apple]<[banana]\" is one text constant, \"apple]<[banana\": a piece that starts "
              "with [ and ends with ] is one text; put texts to compare or join in variables or "
              "in parentheses");
}

// Every fix a warning suggests is the whole expression, bracketed as it was meant.
TEST(SourceTrapsTest, FixesAreCompleteExpressions) {
    const struct {
        const char* Source;
        const char* Fix;
    } rows[] = {
        {"x := -y", "(0-y)"},
        {"Print(-(1+2))", "(0-(1+2))"},
        {"-f(x, [a)]) + 1", "(0-f(x,[a)]))"},
        {"k > 0 & k < 10", "(k>0)&(k<10)"},
        {"ok := a<1 | b>=2 & c", "ok:=(a<1)|(b>=2)&c"},
        {"1 < 2 < 3", "(1<2)&(2<3)"},
        {"a = b <= c <> d", "(a=b)&(b<=c)&(c<>d)"},
    };
    for (const auto& row : rows) {
        const std::vector<TSourceTrap> traps = FindSourceTraps(row.Source);
        ASSERT_EQ(traps.size(), 1u) << row.Source;
        const std::string& message = traps[0].Message;
        const std::size_t write = message.rfind("; write ");
        ASSERT_NE(write, std::string::npos) << message;
        EXPECT_EQ(message.substr(write + 8), row.Fix) << row.Source;
    }
}

// Text nested deeper than the parser follows is not searched, and takes no time to skip.
TEST(SourceTrapsTest, DeepNestingIsBounded) {
    const std::string deep = std::string(100000, '(') + "-x" + std::string(100000, ')');
    EXPECT_TRUE(FindSourceTraps(deep).empty());
}

} // namespace
} // namespace vex
