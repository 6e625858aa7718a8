#pragma once

#include <csignal>
#include <cstddef>

#include <sys/resource.h>

// Makes every write that would grow a regular file past `bytes` fail (EFBIG) while the object
// lives, instead of the signal that would end the process. Unlike taking away a permission, this
// also stops root, so tests of failed writes run where the tests run as root.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(std::size_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

    // False when the limit could not be set (then nothing fails).
    bool Active() const noexcept { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
};
