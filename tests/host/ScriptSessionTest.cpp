// The script session: a whole script run and checked by the statement rule of script files, and
// the result that tells how it went, every error with its line.

#include "host/ScriptSession.h"

#include "tests/host/ScriptFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace vex::host {
namespace {

class ScriptSessionTest : public ScriptFixture {
protected:
    TScriptSession Session() { return TScriptSession(Context()); }
};

std::vector<int> LinesOf(const TRunResult& result, const std::string& file) {
    std::vector<int> lines;
    for (const TRunError& error : result.Errors) {
        EXPECT_EQ(error.File, file) << error.Message;
        const std::string column = error.Column > 0 ? ":" + std::to_string(error.Column) : "";
        EXPECT_EQ(error.Where.rfind(file + ":" + std::to_string(error.Line) + column + ": ", 0), 0u)
            << error.Where;
        lines.push_back(error.Line);
    }
    return lines;
}

TEST_F(ScriptSessionTest, RunTellsHowItWentWithEveryErrorOnItsLine) {
    struct TCase {
        const char* Script;
        TRunStatus Status;
        double Number;
        std::string Text;
        std::vector<int> Lines;
    };
    const TCase cases[] = {
        {"1+1\n7\n", TRunStatus::Ok, 7, "", {}},
        {"", TRunStatus::Ok, 0, "", {}},
        {"Concat([a],\n  [b])\n", TRunStatus::Ok, 0, "ab", {}},
        // A failing statement is reported and the next one runs.
        {"Print(1)\nNope(2)\n3\n", TRunStatus::Error, 3, "", {2}},
        // A compile error on the first line of a statement over three, then a runtime error.
        {"Do(\n  1,\n  Nope(2))\n4\nError([boom])\n", TRunStatus::Error, 0, "", {1, 5}},
    };
    for (const TCase& c : cases) {
        const TRunResult result = Session().Run("t.vex", c.Script);
        EXPECT_EQ(result.Status, c.Status) << c.Script;
        EXPECT_EQ(result.Number, c.Number) << c.Script;
        EXPECT_EQ(result.Text, c.Text) << c.Script;
        EXPECT_EQ(LinesOf(result, "t.vex"), c.Lines) << c.Script;
    }
}

TEST_F(ScriptSessionTest, APartOfAFileKeepsTheLinesItHasThere) {
    const TRunResult run = Session().Run("t.vex", "1\nNope(2)\n", 10);
    EXPECT_EQ(LinesOf(run, "t.vex"), std::vector<int>{11});
    const TCheckResult check = Session().Check("t.vex", "Nope(1)\n", {}, {}, 4);
    EXPECT_EQ(LinesOf(check.Outcome, "t.vex"), std::vector<int>{4});
}

// The errors of a file that ExecFile runs inside the script are the script's too, at their own
// file and line.
TEST_F(ScriptSessionTest, ErrorsOfNestedRunsAreInTheResult) {
    const std::filesystem::path inner =
        std::filesystem::temp_directory_path() / "script-session-inner.vex";
    std::ofstream(inner) << "1\n\nNope(3)\n";
    const TRunResult result =
        Session().Run("outer.vex", "Print(0)\nExecFile([" + inner.string() + "])\n");
    std::filesystem::remove(inner);
    EXPECT_EQ(result.Status, TRunStatus::Error);
    EXPECT_EQ(LinesOf(result, inner.string()), std::vector<int>{3});
}

// A person's Cancel in the debugger ends the run between statements: nothing after it runs.
TEST_F(ScriptSessionTest, TheStopConditionEndsTheRunAsAborted) {
    TScriptSession session = Session();
    int statements = 0;
    session.StopWhen([&statements] { return ++statements == 2; });
    const TRunResult result = session.Run("t.vex", "DeclareGlobal([n],0)\nn := 1\nn := 2\n");
    EXPECT_EQ(result.Status, TRunStatus::Aborted);
    EXPECT_EQ(Run("n").Number, 1);
}

TEST_F(ScriptSessionTest, CheckCompilesEveryStatementAndSaysWhenNothingCompiled) {
    struct TCase {
        const char* Script;
        bool Correct;
        bool CompiledNothing;
        std::vector<int> Lines;
    };
    const TCase cases[] = {
        {"", false, true, {}},
        {"{ a comment }\n\n", false, true, {}},
        // A comment that never closes is reported; the next line that starts a statement is
        // read on its own.
        {"{ a comment that never closes\nNope(1)\n", false, false, {1, 2}},
        // The parentheses of line 1 never close: line 2 starts a statement of its own, whose
        // comment never closes.
        {"Nope(1, 2\nDo(3) {\n", false, false, {1, 2}},
        {"1\nNope(2)\n3\nAlsoNope(4)\n", false, false, {2, 4}},
        // A constant definition is carried out, so the next statement knows the word.
        {"DefineWord([Twice],[Arg(1)*2],1,1,[Doubles.])\nTwice(4)\n", true, false, {}},
    };
    for (const TCase& c : cases) {
        const TCheckResult result = Session().Check("t.vex", c.Script);
        EXPECT_EQ(result.Correct(), c.Correct) << c.Script;
        EXPECT_EQ(result.CompiledNothing(), c.CompiledNothing) << c.Script;
        EXPECT_EQ(LinesOf(result.Outcome, "t.vex"), c.Lines) << c.Script;
    }
}

// What a statement opens and never closes is reported where it opens, the statement does not
// run, and the statements after it do.
TEST_F(ScriptSessionTest, ABrokenStatementIsReportedAndTheRestRuns) {
    const TRunResult result =
        Session().Run("t.vex", "Print(1)\nPrint((2)\nPrint(3)\nPrint([4)\n  Print(5)\n");
    EXPECT_EQ(Trace(), "1\n3\n");
    EXPECT_EQ(LinesOf(result, "t.vex"), (std::vector<int>{2, 4}));
    ASSERT_EQ(result.Errors.size(), 2u);
    EXPECT_EQ(result.Errors[0].Message,
              "'(' opened at line 2, column 6 is never closed; the statement ends before line 3, "
              "which starts a new one");
    EXPECT_EQ(result.Errors[1].Message,
              "'[' (a text constant) opened at line 4, column 7 is never closed");

    // A run that stops at the first error ends at the broken statement, as at a compile error.
    ModelServicesOf(Context()).Preferences.StopAtFirstError = true;
    const TRunResult stopped = Session().Run("u.vex", "Print(6)\nPrint((7)\nPrint(8)\n");
    EXPECT_EQ(Trace(), "1\n3\n6\n");
    EXPECT_EQ(LinesOf(stopped, "u.vex"), (std::vector<int>{2}));
}

// The constant texts a statement gives to the words that compile them are compiled by a check,
// their errors placed where each text starts; a handler's bare names may be the attributes the
// script names.
TEST_F(ScriptSessionTest, CheckCompilesTheCodeInConstantTexts) {
    const char* script = "DeclareGlobal([d],2)\n"
                         "SetHandler(d, [OnEvent], [Do(\n"
                         "  Nope(1))])\n"
                         "Eval([Nope2])\n"
                         "DefineWord([W],[Nope3],0,0,[])\n"
                         "SetAtt(d,[speed],2)\n"
                         "SetHandler(d,[OnUser],[speed*2 + c.count])\n"
                         "SetAtt(d,[Name],1)\n"
                         "SetHandler(d,[OnExit],[Name(c)])\n"
                         "DefineWord([Twice],[Arg(1)*2],1,1,[])\n"
                         "Eval([Twice(2)])\n";
    std::vector<std::pair<int, int>> places;
    const TCheckResult result = Session().Check("t.vex", script);
    for (const TRunError& error : result.Outcome.Errors) {
        places.emplace_back(error.Line, error.Column);
        EXPECT_EQ(error.Where, "t.vex:" + std::to_string(error.Line) + ":" +
                                   std::to_string(error.Column) + ": ");
    }
    EXPECT_EQ(places, (std::vector<std::pair<int, int>>{{2, 27}, {4, 7}, {5, 17}}));
}

TEST_F(ScriptSessionTest, CheckRunsNothing) {
    const TCheckResult result = Session().Check("t.vex", "DeclareGlobal([m],0)\nm := 5\n");
    EXPECT_TRUE(result.Correct());
    EXPECT_EQ(result.Compiled, 2);
    EXPECT_EQ(Run("m").Number, 0);
}

} // namespace
} // namespace vex::host
