// The console runner and the standard words it runs scripts with.

#include "host/ConsoleRunner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vex::host {
namespace {

struct TRun {
    int status;
    std::string out;
    std::string err;
};

TRun RunVexscript(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunConsole(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(ConsoleRunnerTest, RunsTheDemoScript) {
    const TRun run = RunVexscript({ZENTARO_SOURCE_DIR "/examples/demo.vex"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Hello from VexScript\n"
                       "Square(12) = 144\n"
                       "Sum of the squares of 1 to 10 = 385\n"
                       "0 done after 10 rounds\n");
    EXPECT_EQ(run.err, "");
}

TEST(ConsoleRunnerTest, TextsResultsAndExitCodes) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"-e", "1+2*3"}, 0, "7\n", ""},
        {{"-e", "[text]"}, 0, "0 text\n", ""},
        {{"-q", "-e", "Print(1/4)"}, 0, "0.25\n", ""},
        {{"-e", "Nope"}, 1, "0\n", "Unknown word \"Nope\" in: Nope\n"},
        {{"-e", "Do(1,2/0)"},
         1,
         "0\n",
         "Error in \"Do\":bad argument #2 to \"/\": division by zero\n"},
        {{"-e", "Sqrt(-1)"},
         1,
         "0\n",
         "Error in \"Sqrt\":bad argument #1 to \"Sqrt\": negative number\n"},
        {{"-e", "Reserved100"}, 1, "0\n", "Error in \"Reserved100\":word number 100 is reserved\n"},
        {{"/nonexistent/x.vex"}, 2, "", "vexscript: cannot read /nonexistent/x.vex\n"},
        {{"-e"}, 2, "", "vexscript: -e needs a text\n"},
        {{"--bogus"}, 2, "", "vexscript: unknown option --bogus\n"},
    };
    for (const Case& row : cases) {
        const TRun run = RunVexscript(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.arguments.back();
        EXPECT_EQ(run.out, row.out) << row.arguments.back();
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), row.err) << row.arguments.back();
    }
}

TEST(ConsoleRunnerTest, HelpAndVersion) {
    const TRun help = RunVexscript({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: vexscript", 0), 0u);
    const TRun version = RunVexscript({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("vexscript ", 0), 0u);
}

} // namespace
} // namespace vex::host
