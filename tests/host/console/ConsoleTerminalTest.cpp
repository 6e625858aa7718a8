// vexscript's interactive mode as a person at a terminal uses it: driven through a
// pseudo-terminal, with the real line editor.

#include "tests/host/console/ChildProcess.h"

#include <filesystem>

namespace vex::host::test {
namespace {

const std::string kUp = "\x1b[A";
const std::string kCtrlC = "\x03";
const std::string kCtrlD = "\x04";

TEST(ConsoleTerminalTest, StatementsLineEditingHistoryAndInterrupts) {
    TChildProcess vexscript({}, std::filesystem::temp_directory_path().string(), true);
    ASSERT_TRUE(vexscript.WaitFor("Ctrl+D leaves"));
    ASSERT_TRUE(vexscript.WaitFor("> "));
    // Each statement's value; declarations persist from one statement to the next.
    vexscript.Type("DeclareGlobal([x],0)\r");
    ASSERT_TRUE(vexscript.WaitFor("> "));
    vexscript.Type("x := 6*7\r");
    ASSERT_TRUE(vexscript.WaitFor("42\r\n> "));
    // A statement goes on while its parenthesis is open.
    vexscript.Type("Do(x := x + 1,\r");
    ASSERT_TRUE(vexscript.WaitFor(">> "));
    vexscript.Type("  Concat([x=], x))\r");
    ASSERT_TRUE(vexscript.WaitFor("x=43\r\n> "));
    // Line editing: the cursor moves left and a character goes in there.
    vexscript.Type("2*5\x1b[D1\r");
    ASSERT_TRUE(vexscript.WaitFor("\r\n30\r\n> "));
    // The history recalls the last statement.
    vexscript.Type(kUp + "\r");
    ASSERT_TRUE(vexscript.WaitFor("2*15\r\n30\r\n> "));
    // Ctrl+C drops the line being typed, also a statement begun over lines.
    vexscript.Type("Do(Print([dropped]),\r");
    ASSERT_TRUE(vexscript.WaitFor(">> "));
    vexscript.Type("1" + kCtrlC);
    ASSERT_TRUE(vexscript.WaitFor("\r\n> "));
    vexscript.Type("x\r");
    ASSERT_TRUE(vexscript.WaitFor("x\r\n43\r\n> "));
    // An error is reported instead of a value.
    vexscript.Type("Nope\r");
    ASSERT_TRUE(vexscript.WaitFor("Unknown word \"Nope\" in: Nope\r\n> "));
    // Ctrl+C ends a run and comes back to the prompt with everything kept. Until the run has
    // begun, Ctrl+C is ignored, so it is pressed until the run answers.
    vexscript.Type("While(1, x := x + 1)\r");
    ASSERT_TRUE(vexscript.WaitFor("While(1, x := x + 1)\r\n"));
    bool interrupted = false;
    for (int tries = 0; tries < 100 && !interrupted; ++tries) {
        vexscript.Type(kCtrlC);
        interrupted = vexscript.Sees("Interrupted\r\n> ");
    }
    ASSERT_TRUE(interrupted);
    vexscript.Type("x > 43\r");
    ASSERT_TRUE(vexscript.WaitFor("\r\n1\r\n> "));
    // Ctrl+D leaves.
    vexscript.Type(kCtrlD);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace vex::host::test
