// Ctrl+C (SIGINT) during a run of vexscript: the run ends at its next node with a message, the
// exit status is 130 and --json still writes its object; a second Ctrl+C ends the process at
// once, also when the run cannot reach a next node.

#include "tests/host/console/ChildProcess.h"
#include "tests/host/console/ScratchDirectory.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace vex::host::test {
namespace {

namespace fs = std::filesystem;

class ConsoleInterruptTest : public ::testing::Test {
protected:
    // True while a signal waits to be delivered to the process (its /proc status shows the
    // pending signals of the thread and of the process as hexadecimal masks).
    static bool SignalPending(pid_t pid) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0) {
                if (std::stoull(line.substr(7), nullptr, 16) != 0) {
                    return true;
                }
            }
        }
        return false;
    }

    TScratchDirectory m_scratch{"vexscript-interrupt"};
    const fs::path& m_dir = m_scratch.Path();
};

TEST_F(ConsoleInterruptTest, CtrlCEndsTheRunWithAMessageAndTheJsonObject) {
    std::ofstream(m_dir / "loop.vex")
        << "Print([first])\n\nDo(Print([started]), While(1, 0))\nPrint([never])\n";
    TChildProcess vexscript({"--json", "loop.vex", "-e", "Print([never either])"}, m_dir.string(),
                            false);
    ASSERT_TRUE(vexscript.WaitFor("started\n"));
    kill(vexscript.Pid(), SIGINT);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(err, "loop.vex:3: Interrupted\n");
    EXPECT_EQ(out, "{\"number\": 0, \"text\": \"\", \"errors\": [{\"file\": \"loop.vex\", "
                   "\"line\": 3, \"message\": \"Interrupted\"}]}\n");
}

TEST_F(ConsoleInterruptTest, ASecondCtrlCEndsTheProcessAtOnce) {
    // Writing to a pipe that nobody reads blocks inside one word, where no node is reached.
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TChildProcess vexscript({"-e", "Do(Print([started]),AppendTextFile([fifo],[x]),Print(1))"},
                            m_dir.string(), false);
    ASSERT_TRUE(vexscript.WaitFor("started\n"));
    const pid_t pid = vexscript.Pid();
    const auto blocked = [&] {
        std::ifstream in("/proc/" + std::to_string(pid) + "/wchan");
        std::string where;
        in >> where;
        return where;
    };
    const auto deadline = std::chrono::steady_clock::now() + TChildProcess::kPatience;
    while (blocked() != "wait_for_partner" && std::chrono::steady_clock::now() < deadline) {
        usleep(10000);
    }
    if (blocked() != "wait_for_partner") {
        GTEST_SKIP() << "the kernel does not show where a process waits (/proc/PID/wchan)";
    }
    // The first Ctrl+C only asks the run to end; once it was delivered, the second ends it.
    kill(pid, SIGINT);
    while (SignalPending(pid) && std::chrono::steady_clock::now() < deadline) {
        usleep(10000);
    }
    kill(pid, SIGINT);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGINT);
    EXPECT_EQ(out, "") << "nothing after the blocking word";
}

} // namespace
} // namespace vex::host::test
