#include "platform/RegistryStore.h"

#include "platform/AtomicWrite.h"
#include "platform/RegistryFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentaro::platform {

namespace {

std::string ErrnoText(int error) {
    return std::strerror(error);
}

// Holds the exclusive flock on the settings file's lock companion while it lives. The lock file
// itself is never replaced, so every process locks the same inode.
class TFileLock {
public:
    explicit TFileLock(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return;
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~TFileLock() {
        if (m_fd >= 0)
            ::close(m_fd); // closing the last descriptor releases the lock
    }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    bool IsHeld() const noexcept { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool ReadAll(int fd, std::string& text) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

// Gives the damaged file a name of its own beside it without replacing an earlier one: a hard
// link that fails on an existing name, then the old name removed. Returns the new name, or an
// empty text with errno set.
std::string MoveAside(const std::string& path) {
    for (int n = 0; n < 1000; ++n) {
        const std::string candidate = path + ".damaged" + (n ? "." + std::to_string(n) : "");
        if (::link(path.c_str(), candidate.c_str()) == 0) {
            ::unlink(path.c_str());
            return candidate;
        }
        if (errno == EEXIST)
            continue;
        // A file system without hard links: rename to a name that is still free.
        struct stat info;
        if (::lstat(candidate.c_str(), &info) == 0)
            continue;
        if (::rename(path.c_str(), candidate.c_str()) == 0)
            return candidate;
        return {};
    }
    errno = EEXIST;
    return {};
}

} // namespace

const char* RegistryStatusText(TRegistryStatus status) noexcept {
    switch (status) {
    case TRegistryStatus::Success:
        return "success";
    case TRegistryStatus::NotFound:
        return "not found";
    case TRegistryStatus::NoMoreItems:
        return "no more items";
    case TRegistryStatus::InvalidName:
        return "invalid name";
    case TRegistryStatus::InvalidValue:
        return "invalid value";
    case TRegistryStatus::StoreDamaged:
        return "the settings file is damaged";
    case TRegistryStatus::IoError:
        return "the settings file could not be read or written";
    }
    return "unknown status";
}

TRegistryStore& TRegistryStore::Instance() {
    static TRegistryStore store;
    return store;
}

std::string TRegistryStore::FilePath() {
    if (const char* file = std::getenv("ZENTARO_REGISTRY_FILE"); file && *file)
        return file;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    const std::string base =
        config && config[0] == '/' ? std::string(config) : HomeDirectory() + "/.config";
    return base + "/zentaro/registry.reg";
}

void TRegistryStore::Read(const TReader& reader) {
    {
        std::lock_guard lock(m_mutex);
        Refresh(false);
        reader(m_root);
    }
    DeliverReports();
}

TRegistryStatus TRegistryStore::Write(const TChange& change) {
    TRegistryStatus status = TRegistryStatus::Success;
    {
        std::lock_guard lock(m_mutex);
        const std::string path = FilePath();
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
        TFileLock fileLock(path + ".lock");
        if (!fileLock.IsHeld()) {
            status = TRegistryStatus::IoError;
        } else {
            m_holdsFileLock = true;
            Refresh(true);
            m_holdsFileLock = false;
            if (m_damagedInPlace) {
                status = TRegistryStatus::StoreDamaged;
            } else {
                TRegistryNode next = m_root;
                status = change(next);
                if (status == TRegistryStatus::Success && !(next == m_root))
                    status = Store(next);
            }
        }
    }
    DeliverReports();
    return status;
}

void TRegistryStore::SetDamageReporter(TDamageReporter reporter) {
    std::lock_guard lock(m_mutex);
    m_reporter = std::move(reporter);
}

TRegistryStore::TFileIdentity TRegistryStore::Identify(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true,
            static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec),
            static_cast<long long>(info.st_mtim.tv_nsec)};
}

void TRegistryStore::Refresh(bool force) {
    const std::string path = FilePath();
    if (path != m_path) {
        m_path = path;
        m_identity = {};
        m_root = {};
        m_damagedInPlace = false;
        force = true;
    }
    const TFileIdentity now = Identify(m_path);
    if (!force && now == m_identity)
        return;
    if (!now.Exists) {
        m_identity = now;
        m_root = {};
        m_damagedInPlace = false;
        return;
    }
    Load(0);
}

void TRegistryStore::Load(int attempt) {
    m_root = {};
    m_damagedInPlace = false;
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string text;
    struct stat info;
    if (fd < 0 || ::fstat(fd, &info) != 0 || !ReadAll(fd, text)) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        m_identity = Identify(m_path);
        m_damagedInPlace = true;
        if (!(m_identity == m_reportedDamage)) {
            m_reportedDamage = m_identity;
            m_pendingReports.push_back("The settings file " + m_path + " cannot be read (" +
                                       ErrnoText(error) +
                                       "); the default settings are used and none is saved.");
        }
        return;
    }
    ::close(fd);
    // The identity of what was read: the inode that was opened, not whatever the name holds now.
    m_identity = {true,
                  static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino),
                  static_cast<unsigned long long>(info.st_size),
                  static_cast<long long>(info.st_mtim.tv_sec),
                  static_cast<long long>(info.st_mtim.tv_nsec)};
    TRegistryParseResult parsed = ParseRegistryFile(text);
    if (parsed.Ok)
        m_root = std::move(parsed.Root);
    else
        SetAside(parsed.Error, attempt);
}

void TRegistryStore::SetAside(const std::string& reason, int attempt) {
    const TFileIdentity damaged = m_identity;
    // Only under the file lock, and only while the name still holds what was read: a writer may
    // have replaced the damaged file with a sound one in the meantime, which must not be moved.
    std::optional<TFileLock> fileLock;
    if (!m_holdsFileLock)
        fileLock.emplace(m_path + ".lock");
    if (!(Identify(m_path) == damaged)) {
        if (attempt < 3) {
            Load(attempt + 1);
            return;
        }
        m_identity = {}; // read again at the next access
        return;
    }
    const std::string aside = MoveAside(m_path);
    const int error = errno;
    m_identity = Identify(m_path);
    if (!aside.empty()) {
        m_pendingReports.push_back("The settings file " + m_path + " is damaged (" + reason +
                                   "); it has been kept as " + aside +
                                   " and the default settings are used.");
        return;
    }
    m_damagedInPlace = true;
    if (!(damaged == m_reportedDamage)) {
        m_reportedDamage = damaged;
        m_pendingReports.push_back("The settings file " + m_path + " is damaged (" + reason +
                                   ") and could not be set aside (" + ErrnoText(error) +
                                   "); the default settings are used and none is saved.");
    }
}

TRegistryStatus TRegistryStore::Store(const TRegistryNode& root) {
    // Settings are the user's own: a new settings file is readable by its owner only.
    if (!WriteFileAtomically(m_path, FormatRegistryFile(root), 0600))
        return TRegistryStatus::IoError;
    m_root = root;
    m_identity = Identify(m_path);
    return TRegistryStatus::Success;
}

void TRegistryStore::DeliverReports() {
    std::vector<std::string> reports;
    TDamageReporter reporter;
    {
        std::lock_guard lock(m_mutex);
        reports.swap(m_pendingReports);
        reporter = m_reporter;
    }
    for (const std::string& report : reports) {
        if (reporter)
            reporter(report);
        else
            std::fprintf(stderr, "zentaro: %s\n", report.c_str());
    }
}

} // namespace zentaro::platform
