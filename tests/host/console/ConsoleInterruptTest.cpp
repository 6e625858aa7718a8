// Ctrl+C (SIGINT) during a run of vexscript: the run ends at its next node with a message, the
// exit status is 130 and --json still writes its object; a second Ctrl+C ends the process at
// once, also when the run cannot reach a next node.

#include "tests/host/console/ChildProcess.h"
#include "tests/host/console/ScratchDirectory.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vex::host::test {
namespace {

namespace fs = std::filesystem;

class ConsoleInterruptTest : public ::testing::Test {
protected:
    // Whether a signal waits to be delivered to the process (its /proc status shows the pending
    // signals of the thread and of the process as hexadecimal masks); none when the system does
    // not show them.
    static std::optional<bool> SignalPending(pid_t pid) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/status");
        std::optional<bool> pending;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0) {
                pending = pending.value_or(false) || std::stoull(line.substr(7), nullptr, 16) != 0;
            }
        }
        return pending;
    }

    TScratchDirectory m_scratch{"vexscript-interrupt"};
    const fs::path& m_dir = m_scratch.Path();
};

TEST_F(ConsoleInterruptTest, CtrlCEndsTheRunWithAMessageAndTheJsonObject) {
    // With --json nothing but the object reaches standard output; the loop says that it runs
    // through a file.
    std::ofstream(m_dir / "loop.vex") << "Print([first])\n\nDo(WriteTextFile([started], [1]), "
                                         "While(1, 0))\nPrint([never])\n";
    TChildProcess vexscript({"--json", "loop.vex", "-e", "Print([never either])"}, m_dir.string(),
                            false);
    const auto deadline = std::chrono::steady_clock::now() + TChildProcess::kPatience;
    while (!fs::exists(m_dir / "started") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::exists(m_dir / "started"));
    kill(vexscript.Pid(), SIGINT);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(err, "loop.vex:3: Interrupted\n");
    EXPECT_EQ(out, "{\"number\": 0, \"text\": \"\", \"output\": \"first\\n\", \"errors\": "
                   "[{\"file\": \"loop.vex\", \"line\": 3, \"message\": \"Interrupted\"}]}\n");
}

TEST_F(ConsoleInterruptTest, ASecondCtrlCEndsTheProcessAtOnce) {
    // Writing more than a pipe holds into a pipe that nobody reads blocks inside one word, where
    // no node is reached. The test holds the reading end (so that the word's open succeeds) and
    // sees from it when the pipe is full, which is when the word waits.
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const int capacity = fcntl(reader, F_GETPIPE_SZ);
    ASSERT_GT(capacity, 0);
    TChildProcess vexscript({"-e", "Do(Print([started]),AppendTextFile([fifo],RepeatText([x]," +
                                       std::to_string(2 * capacity) + ")),Print(1))"},
                            m_dir.string(), false);
    ASSERT_TRUE(vexscript.WaitFor("started\n"));
    const pid_t pid = vexscript.Pid();
    const auto pipeFull = [&] {
        int queued = 0;
        return ioctl(reader, FIONREAD, &queued) == 0 && queued >= capacity;
    };
    const auto deadline = std::chrono::steady_clock::now() + TChildProcess::kPatience;
    while (!pipeFull() && std::chrono::steady_clock::now() < deadline) {
        usleep(10000);
    }
    ASSERT_TRUE(pipeFull()) << "the word never filled the pipe";
    // The first Ctrl+C only asks the run to end; once it was delivered, the second ends it. Two
    // signals of one kind that are pending at once are delivered once, hence the wait between.
    kill(pid, SIGINT);
    if (!SignalPending(pid)) {
        GTEST_SKIP() << "the system does not show a process's pending signals (/proc/PID/status), "
                        "so the test cannot tell when the first Ctrl+C was taken";
    }
    while (SignalPending(pid).value_or(false) && std::chrono::steady_clock::now() < deadline) {
        usleep(10000);
    }
    kill(pid, SIGINT);
    std::string out;
    std::string err;
    const int status = vexscript.Finish(out, err);
    close(reader);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGINT);
    EXPECT_EQ(out, "") << "nothing after the blocking word";
}

} // namespace
} // namespace vex::host::test
