#include "host/TextFiles.h"

#include "runtime/VexScript.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace vex::host {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 16;

TFileFailure TooLarge(std::string what) {
    return {"cannot read",
            what + " larger than " + std::to_string(kMaxTextSize >> 20) + " MiB, the longest text"};
}

// A regular file read in pieces of kChunkSize bytes.
class TChunkReader {
public:
    bool Open(const fs::path& path, TFileFailure& failure) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (fs::is_directory(status)) {
            failure = {"cannot read", "it is a directory"};
            return false;
        }
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            failure = {"cannot read", "it is no regular file"};
            return false;
        }
        m_file.open(path, std::ios::binary);
        if (!m_file) {
            failure = {"cannot open", std::strerror(errno)};
            return false;
        }
        return true;
    }

    // The next piece, empty at the end of the file; false when reading failed.
    bool Next(std::string_view& chunk, TFileFailure& failure) {
        m_file.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        if (m_file.bad()) {
            failure = {"cannot read", std::strerror(errno)};
            return false;
        }
        chunk = std::string_view(m_buffer.data(), static_cast<std::size_t>(m_file.gcount()));
        return true;
    }

private:
    std::ifstream m_file;
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
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxTextSize) {
        failure = TooLarge("it is");
        return false;
    }
    contents.clear();
    contents.reserve(error ? 0 : static_cast<std::size_t>(size));
    std::string_view chunk;
    while (reader.Next(chunk, failure)) {
        if (chunk.empty()) {
            return true;
        }
        // A file may grow while it is read, and some report no size at all.
        if (chunk.size() > kMaxTextSize - contents.size()) {
            failure = TooLarge("it is");
            return false;
        }
        contents.append(chunk);
    }
    return false;
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
                    failure = TooLarge("line " + std::to_string(number) + " is");
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
