// The words that pass a value on keep whether it is a text: an empty text passed through them
// still adds nothing to Concat (it used to arrive as the number 0 and add "0"), and a number
// stays a number.

#include "tests/host/ScriptFixture.h"

#include <string>

namespace vex::host {
namespace {

class ValueKindsTest : public ScriptFixture {};

TEST_F(ValueKindsTest, PassingWordsKeepTheKindOfTheValue) {
    Run("DefineWord([Same], [Arg(1)], 1, 1)");
    Run("DefineWord([Back], [Do(Return(Arg(1)), 5)], 1, 1)");
    Run("DeclareGlobal([empty], 1)");
    struct TCase {
        const char* Passed;
        const char* Shown;
    } const cases[] = {
        {"If(1, [], [x])", "<>"},
        {"If(0, [x], [])", "<>"},
        {"If(1, Upper([]), 1)", "<>"},
        {"If(1, empty, 1)", "<>"},
        {"Do(1, [])", "<>"},
        {"Do(LocalText([s]), s)", "<>"},
        {"Choose(2, 1, [])", "<>"},
        {"Same([])", "<>"},
        {"Same(empty)", "<>"},
        {"Same(If(1, [], 0))", "<>"},
        {"Back([])", "<>"},
        {"Eval([[]])", "<>"},
        {"Eval([If(1, [], 0)])", "<>"},
        // Numbers stay numbers, also a 0 beside texts.
        {"If(1, 0, [])", "<0>"},
        {"Do([], 0)", "<0>"},
        {"Choose(1, 1 - 1, [])", "<0>"},
        {"Same(0)", "<0>"},
        {"Same(1 - 1)", "<0>"},
        {"Back(0)", "<0>"},
        {"Eval([0])", "<0>"},
    };
    for (const TCase& row : cases) {
        const TScriptResult result = Run(std::string("Concat([<], ") + row.Passed + ", [>])");
        EXPECT_EQ(result.Text, row.Shown) << row.Passed;
        EXPECT_EQ(result.Errors, "") << row.Passed;
    }
}

// The kind is the value's, not its bytes': an empty text is false, joins with + as a text, and
// a number variable refuses it as it refuses [] itself (it used to take it as 0).
TEST_F(ValueKindsTest, AnEmptyTextPassedOnActsAsAText) {
    Run("DeclareGlobal([n], 0)");
    Run("DeclareGlobal([t], 1)");
    EXPECT_EQ(Run("If(If(1, [], [x]), [true], [false])").Text, "false");
    EXPECT_EQ(Run("Do(t := [a], t + If(1, [], 0))").Text, "a");
    EXPECT_EQ(Run("Do(t := If(1, [], [x]), Length(t))").Number, 0);
    const std::string refused = Run("n := []").Errors;
    EXPECT_NE(refused, "");
    EXPECT_EQ(Run("n := If(1, [], [x])").Errors, refused);
}

} // namespace
} // namespace vex::host
