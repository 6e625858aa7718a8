// The limits on bad input: each is reached from a script, ends with a clear message instead of a
// crash, a hang or the process being killed, and leaves the context as it found it.

#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/Engine.h"
#include "runtime/Parser.h"
#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vex::test {
namespace {

std::string Repeated(std::string_view piece, int times) {
    std::string result;
    result.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        result += piece;
    }
    return result;
}

// `depth` calls of Do nested inside each other around the number 1.
std::string NestedCalls(int depth) {
    return Repeated("Do(", depth) + "1" + std::string(static_cast<std::size_t>(depth), ')');
}

// A call of `word` with `count` arguments 1.
std::string CallWithArguments(std::string_view word, int count) {
    return std::string(word) + "(1" + Repeated(",1", count - 1) + ")";
}

bool StartsWith(const std::string& text, std::string_view start) {
    return text.rfind(start, 0) == 0;
}

class LimitsTest : public ::testing::Test {
protected:
    LimitsTest() { Parts(context).Stack.StackSize = 4096; }

    double Run(std::string_view source) {
        text = TText();
        context.Errors.clear();
        return context.ExecuteText(source, text);
    }

    TFakeHost host;
    TTestContext context{host};
    TText text;
};

// Compiles a source and gives the first error, or "" when the compile succeeded.
struct TCompileRow {
    const char* Case;
    std::string Source;
    const char* FirstError; // start of the first message; "" for a clean compile
};

TEST_F(LimitsTest, CompileLimitsAcceptTheLastAllowedValueAndReportTheFirstTooLarge) {
    const TCompileRow rows[] = {
        {"500 levels: 499 calls around a number", NestedCalls(kMaxParseDepth - 1), ""},
        {"501 levels", NestedCalls(kMaxParseDepth),
         "Expression nested too deeply (more than 500 levels) in: Do(Do("},
        {"nesting through operators", "1" + Repeated("+1", 600),
         "Expression nested too deeply (more than 500 levels) in:"},
        {"nesting inside a text argument stays text", "Concat([" + NestedCalls(5000) + "])", ""},
        {"255 arguments", CallWithArguments("Do", kMaxArguments), ""},
        {"256 arguments", CallWithArguments("Do", kMaxArguments + 1),
         "Too many arguments (more than 255) for \"Do\" in: Do(1,1,"},
        {"256 arguments to a word that takes any number", CallWithArguments("Concat", 256),
         "Too many arguments (more than 255) for \"Concat\""},
    };
    for (const TCompileRow& row : rows) {
        context.Errors.clear();
        TCompiledCode* code = context.Compile(row.Source);
        const std::string first = context.Errors.empty() ? "" : context.Errors.front();
        EXPECT_TRUE(StartsWith(first, row.FirstError)) << row.Case << ": " << first.substr(0, 120);
        EXPECT_EQ(code == nullptr, *row.FirstError != '\0') << row.Case;
        context.ReleaseCode(code);
    }
}

// The compiler has no line limit: statements far longer than any editor line compile and run,
// and malformed ones fail with a message in bounded time.
TEST_F(LimitsTest, StatementsLongerThanAnyLineCompileOrFailWithAMessage) {
    const std::string megabyteOfText(1 << 20, 'x');
    std::string wideCall = "Concat(";
    for (int i = 0; i < kMaxArguments; ++i) {
        wideCall += (i ? "," : "") + std::string("Concat([") + std::string(400, 'y') + "])";
    }
    wideCall += ")";
    EXPECT_EQ(Run("Concat([" + megabyteOfText + "])"), 0);
    EXPECT_EQ(text.size(), megabyteOfText.size());
    EXPECT_TRUE(context.Errors.empty());

    EXPECT_EQ(Run(wideCall), 0);
    EXPECT_EQ(text.size(), 255u * 400u) << "a statement of over 100 kB";
    EXPECT_TRUE(context.Errors.empty());

    Run("Do(" + Repeated("1+-", 20000) + "1)");
    ASSERT_FALSE(context.Errors.empty()) << "a malformed statement of 60 kB";
    EXPECT_TRUE(StartsWith(context.Errors.front(), "Unknown word")) << context.Errors.front();

    Run("Do(" + std::string(100000, '(') + "1,2)");
    ASSERT_FALSE(context.Errors.empty()) << "100,000 unclosed parentheses";
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(LimitsTest, UserWordsNestDeeperThanTheCallLimitEndWithAStackOverflow) {
    Run("Define([Down],[0],0,0)");
    Run("Define([Down],[Do(Count,Down)],0,0)");
    CountCalls() = 0;
    EXPECT_EQ(Run("Do(Down,7)"), 7);
    EXPECT_EQ(CountCalls(), kMaxCallDepth - 1)
        << "every allowed level ran its body once; the outermost run is a level of its own";
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0], "Error in \"Do\":Stack overflow");
    EXPECT_EQ(StackImbalance(context), "");

    EXPECT_EQ(StackImbalance(context), "");
}

// A level may nest calls 500 deep: 2,000 such levels would take far more native stack than a
// thread has, so the native stack ends them first.
TEST_F(LimitsTest, LevelsThatNestDeeplyEndWithAStackOverflowBeforeTheNativeStackRunsOut) {
    Run("Define([Deep],[0],0,0)");
    const int nesting = kMaxParseDepth - 10;
    Run("Define([Deep],[Do(Count," + Repeated("Do(", nesting) + "Deep" +
        std::string(static_cast<std::size_t>(nesting), ')') + ")],0,0)");
    ASSERT_TRUE(context.Errors.empty()) << context.Errors.front();
    CountCalls() = 0;
    EXPECT_EQ(Run("Do(Deep,7)"), 7);
    EXPECT_GT(CountCalls(), 10);
    EXPECT_LT(CountCalls(), kMaxCallDepth - 1);
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0], "Error in \"Do\":Stack overflow");
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(LimitsTest, AUserWordTakesUpTo255ArgumentsAndReadsTheLast) {
    Run("Define([Last],[Arg(255)],0,255)");
    std::string call = "Last(" + Repeated("1,", kMaxArguments - 1) + "99)";
    EXPECT_EQ(Run(call), 99);
    EXPECT_TRUE(context.Errors.empty());
    call.insert(5, "1,");
    EXPECT_EQ(Run(call), 0);
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_TRUE(StartsWith(context.Errors[0], "Too many arguments (more than 255) for \"Last\""))
        << context.Errors[0];
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(LimitsTest, TextsGrowingBeyondTheMaximumEndWithAnErrorAndLoseNothingElse) {
    Run("Do(LocalText([t]),t:=[x],While(1,t:=Concat(t,t)))");
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0], "Error in \"Do\":Text too long (more than 256 MiB)");
    EXPECT_TRUE(host.ErrorBoxes.empty()) << "an error of the script, not a system fault";
    EXPECT_EQ(StackImbalance(context), "");
    EXPECT_EQ(Run("Concat([still],[ running])"), 0);
    EXPECT_EQ(text.view(), "still running");
}

TEST_F(LimitsTest, TextsStopAtTheMaximumSize) {
    TText text(std::string(kMaxTextSize - 1, 'a'));
    text.append("b");
    EXPECT_EQ(text.size(), kMaxTextSize);
    EXPECT_THROW(text.append("c"), std::length_error);
    EXPECT_EQ(text.size(), kMaxTextSize) << "a failed append changes nothing";
    EXPECT_EQ(text.view().back(), 'b');
    const TText shared = text;
    EXPECT_THROW(TText(shared) += "c", std::length_error);
    EXPECT_THROW(TText(std::string(kMaxTextSize + 1, 'a')), std::length_error);
}

} // namespace
} // namespace vex::test
