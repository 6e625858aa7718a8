#include "platform/AtomicWrite.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentaro::platform {

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::string directory = std::filesystem::path(path).parent_path().string();
    return directory.empty() ? "." : directory;
}

// Creates a new file beside `path` whose name starts with a dot and the target's name, so that a
// listing shows which file it belongs to. O_EXCL makes the name the caller's alone, the counter
// and the random part make a clash with another writer unlikely in the first place. Returns the
// descriptor (and the name in `temporary`), or -1 with errno set.
int CreateTemporaryBeside(const std::string& path, unsigned mode, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    thread_local std::minstd_rand random(std::random_device{}());
    const std::filesystem::path target(path);
    const std::string stem = (target.has_parent_path() ? target.parent_path().string() + "/" : "") +
                             "." + target.filename().string() + "." + std::to_string(::getpid()) +
                             "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(counter++) + "-" + std::to_string(random() % 1000000);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(mode));
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Gives the new file the permission bits of the file it replaces; with no old file the mode it
// was created with stays.
bool CarryOverPermissions(int fd, const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) {
        return true;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

TWriteResult Failed(TWriteStep step, int error) {
    return {step, std::error_code(error, std::generic_category())};
}

} // namespace

TWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                 unsigned newFileMode) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, newFileMode, temporary);
    if (fd < 0) {
        return Failed(TWriteStep::Create, errno);
    }
    const bool written =
        WriteAll(fd, contents) && CarryOverPermissions(fd, path) && ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    TWriteResult result;
    if (error != 0) {
        result = Failed(TWriteStep::Write, error);
    } else if (::rename(temporary.c_str(), path.c_str()) != 0) {
        result = Failed(TWriteStep::Replace, errno);
    }
    if (!result) {
        ::unlink(temporary.c_str());
        return result;
    }
    SyncDirectory(DirectoryOf(path));
    return result;
}

} // namespace zentaro::platform
