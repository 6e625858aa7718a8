// vexscript's interactive mode as a person at a terminal uses it: driven through a
// pseudo-terminal, with the real line editor.

#include "tests/host/console/ChildProcess.h"

#include <filesystem>

namespace vex::host::test {
namespace {

const std::string kUp = "\x1b[A";
const std::string kLeft = "\x1b[D";
const std::string kCtrlC = "\x03";
const std::string kCtrlD = "\x04";

TEST(ConsoleTerminalTest, StatementsLineEditingHistoryAndInterrupts) {
    TChildProcess vexscript({}, std::filesystem::temp_directory_path().string(), true);
    ASSERT_TRUE(vexscript.WaitFor("Ctrl+D leaves"));
    ASSERT_TRUE(vexscript.WaitFor("> "));
    // What is typed, and what the terminal shows after it, in order.
    const struct {
        const char* What;
        std::string Keys;
        std::string Shown;
    } steps[] = {
        {"a declaration shows no value", "DeclareGlobal([x],0)\r", "DeclareGlobal([x],0)\r\n> "},
        {"a value per statement, and declarations persist", "x := 6*7\r", "42\r\n> "},
        {"a statement goes on while its parenthesis is open", "Do(x := x + 1,\r", ">> "},
        {"... until it closes", "  Concat([x=], x))\r", "x=43\r\n> "},
        {"the cursor moves left and a character goes in", "2*5" + kLeft + "1\r", "\r\n30\r\n> "},
        {"the history recalls the last statement", kUp + "\r", "2*15\r\n30\r\n> "},
        {"a first line to drop", "Do(Print([dropped]),\r", ">> "},
        {"Ctrl+C drops the lines typed so far", "1" + kCtrlC, "^C\r\n> "},
        {"... and nothing of them ran", "x\r", "x\r\n43\r\n> "},
        {"an error instead of a value", "Nope\r", "Unknown word \"Nope\" in: Nope\r\n> "},
        {"a run that goes on", "Do(Print([running]), While(1, x := x + 1))\r", "running\r\n"},
    };
    for (const auto& step : steps) {
        vexscript.Type(step.Keys);
        ASSERT_TRUE(vexscript.WaitFor(step.Shown)) << step.What;
    }
    // Ctrl+C ends the run and comes back to the prompt with everything kept. It is pressed once
    // the run has printed, so that it is taken by the run; a second press would end the program.
    vexscript.Type(kCtrlC);
    ASSERT_TRUE(vexscript.WaitFor("Interrupted\r\n> "));
    vexscript.Type("x >= 43\r");
    ASSERT_TRUE(vexscript.WaitFor("\r\n1\r\n> "));
    // Ctrl+D leaves.
    vexscript.Type(kCtrlD);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    ASSERT_TRUE(WIFEXITED(status)) << out;
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
}

} // namespace
} // namespace vex::host::test
