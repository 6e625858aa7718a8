// vexscript run as a child process that a test talks to while it runs: through pipes, or through
// a pseudo-terminal as a person at a terminal would.

#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vex::host::test {

class TChildProcess {
public:
    // How long a test waits for what it expects before it gives up.
    static constexpr std::chrono::seconds kPatience{20};

    // Starts vexscript with `arguments` in `directory`: on a new pseudo-terminal (standard input,
    // output and error all on it), or with standard output and error on pipes of their own.
    TChildProcess(const std::vector<std::string>& arguments, const std::string& directory,
                  bool terminal) {
        int out[2] = {-1, -1};
        int err[2] = {-1, -1};
        if (terminal) {
            m_pid = forkpty(&m_out, nullptr, nullptr, nullptr);
        } else {
            EXPECT_EQ(pipe(out), 0);
            EXPECT_EQ(pipe(err), 0);
            m_pid = fork();
        }
        if (m_pid == 0) {
            if (!terminal) {
                dup2(out[1], STDOUT_FILENO);
                dup2(err[1], STDERR_FILENO);
                const int null = open("/dev/null", O_RDONLY);
                dup2(null, STDIN_FILENO);
            }
            std::vector<char*> argv{const_cast<char*>(VEXSCRIPT_PATH)};
            for (const std::string& argument : arguments) {
                argv.push_back(const_cast<char*>(argument.c_str()));
            }
            argv.push_back(nullptr);
            if (chdir(directory.c_str()) == 0) {
                execv(VEXSCRIPT_PATH, argv.data());
            }
            _exit(127);
        }
        if (!terminal) {
            close(out[1]);
            close(err[1]);
            m_out = out[0];
            m_err = err[0];
        }
    }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess() {
        if (m_pid > 0 && !m_ended) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        for (const int fd : {m_out, m_err}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }

    pid_t Pid() const noexcept { return m_pid; }

    // Writes to the terminal, as typed.
    void Type(const std::string& keys) {
        ASSERT_EQ(write(m_out, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // Reads standard output (the terminal) until all that was read since the last call contains
    // `expected`; false when it does not come in time.
    bool WaitFor(const std::string& expected) {
        if (WaitOn(m_out, m_outText, expected, kPatience)) {
            return true;
        }
        ADD_FAILURE() << "waited for \"" << expected << "\", got \"" << m_outText << "\"";
        return false;
    }
    // WaitFor for a short while, without failing when the text does not come.
    bool Sees(const std::string& expected) {
        return WaitOn(m_out, m_outText, expected, std::chrono::milliseconds(200));
    }

    // Reads both streams to their end and waits for the process; gives the wait status.
    int Finish(std::string& out, std::string& err) {
        ReadToEnd(m_out, m_outText);
        if (m_err >= 0) {
            ReadToEnd(m_err, m_errText);
        }
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_ended = true;
        out = m_outText;
        err = m_errText;
        return status;
    }

private:
    static bool ReadSome(int fd, std::string& text, int timeoutMs) {
        pollfd poller{fd, POLLIN, 0};
        if (poll(&poller, 1, timeoutMs) <= 0) {
            return true;
        }
        char buffer[4096];
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(count));
        return true;
    }

    static bool WaitOn(int fd, std::string& text, const std::string& expected,
                       std::chrono::milliseconds patience) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (text.find(expected) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline || !ReadSome(fd, text, 50)) {
                return false;
            }
        }
        text.erase(0, text.find(expected) + expected.size());
        return true;
    }

    static void ReadToEnd(int fd, std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline && ReadSome(fd, text, 100)) {
        }
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_outText;
    std::string m_errText;
    bool m_ended = false;
};

} // namespace vex::host::test
