#include "host/TextFiles.h"

#include "runtime/VexScript.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vex::host {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 16;

// `what` says what is too large: "it is larger", "line 3 is longer".
TFileFailure TooLarge(const std::string& what) {
    return {"cannot read",
            what + " than " + std::to_string(kMaxTextSize >> 20) + " MiB, the longest text"};
}

// A regular file read in pieces of kChunkSize bytes. It is opened without waiting, so that
// neither a named pipe without a writer nor a file the kernel fills slowly (/proc/kmsg) can
// block: the one is refused, the other fails to read.
class TChunkReader {
public:
    TChunkReader() = default;
    TChunkReader(const TChunkReader&) = delete;
    TChunkReader& operator=(const TChunkReader&) = delete;
    ~TChunkReader() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    bool Open(const fs::path& path, TFileFailure& failure) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0) {
            failure = {"cannot open", std::strerror(errno)};
            return false;
        }
        struct stat status {};
        if (::fstat(m_fd, &status) != 0) {
            failure = {"cannot read", std::strerror(errno)};
            return false;
        }
        if (S_ISDIR(status.st_mode)) {
            failure = {"cannot read", "it is a directory"};
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            failure = {"cannot read", "it is no regular file"};
            return false;
        }
        Size = static_cast<std::uintmax_t>(status.st_size);
        return true;
    }

    // The next piece, empty at the end of the file; false when reading failed.
    bool Next(std::string_view& chunk, TFileFailure& failure) {
        ssize_t got = 0;
        do {
            got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            failure = {"cannot read", std::strerror(errno)};
            return false;
        }
        chunk = std::string_view(m_buffer.data(), static_cast<std::size_t>(got));
        return true;
    }

    // The size the file had when it was opened (0 for some files that have contents all the
    // same, such as those of /proc).
    std::uintmax_t Size = 0;

private:
    int m_fd = -1;
    std::vector<char> m_buffer = std::vector<char>(kChunkSize);
};

void DropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

} // namespace

bool ReadWholeFile(const fs::path& path, std::string& contents, TFileFailure& failure) {
    TChunkReader reader;
    if (!reader.Open(path, failure)) {
        return false;
    }
    if (reader.Size > kMaxTextSize) {
        failure = TooLarge("it is larger");
        return false;
    }
    contents.clear();
    contents.reserve(static_cast<std::size_t>(reader.Size));
    std::string_view chunk;
    while (reader.Next(chunk, failure)) {
        if (chunk.empty()) {
            return true;
        }
        // A file may grow while it is read, and some report no size at all.
        if (chunk.size() > kMaxTextSize - contents.size()) {
            failure = TooLarge("it is larger");
            return false;
        }
        contents.append(chunk);
    }
    return false;
}

bool ReadWholeStream(std::istream& in, std::string& contents, TFileFailure& failure) {
    contents.clear();
    std::vector<char> buffer(kChunkSize);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > kMaxTextSize - contents.size()) {
            failure = TooLarge("it is larger");
            return false;
        }
        contents.append(buffer.data(), got);
    }
    if (in.bad()) {
        failure = {"cannot read", std::strerror(errno)};
        return false;
    }
    return true;
}

bool CountFileLines(const fs::path& path, std::size_t& count, TFileFailure& failure) {
    TChunkReader reader;
    if (!reader.Open(path, failure)) {
        return false;
    }
    count = 0;
    char last = '\n';
    std::string_view chunk;
    while (reader.Next(chunk, failure)) {
        if (chunk.empty()) {
            count += last != '\n';
            return true;
        }
        for (std::size_t at = chunk.find('\n'); at != std::string_view::npos;
             at = chunk.find('\n', at + 1)) {
            ++count;
        }
        last = chunk.back();
    }
    return false;
}

bool ReadFileLineAt(const fs::path& path, std::size_t number, std::string& line,
                    TFileFailure& failure) {
    TChunkReader reader;
    if (!reader.Open(path, failure)) {
        return false;
    }
    line.clear();
    std::size_t current = 1;
    std::string_view chunk;
    while (reader.Next(chunk, failure)) {
        if (chunk.empty()) {
            if (current != number) {
                line.clear();
            }
            DropCarriageReturn(line);
            return true;
        }
        while (!chunk.empty()) {
            const std::size_t end = chunk.find('\n');
            if (current == number) {
                const std::string_view piece = chunk.substr(0, end);
                if (piece.size() > kMaxTextSize - line.size()) {
                    failure = TooLarge("line " + std::to_string(number) + " is longer");
                    return false;
                }
                line.append(piece);
                if (end != std::string_view::npos) {
                    DropCarriageReturn(line);
                    return true;
                }
                break;
            }
            if (end == std::string_view::npos) {
                break;
            }
            ++current;
            chunk.remove_prefix(end + 1);
        }
    }
    return false;
}

} // namespace vex::host
