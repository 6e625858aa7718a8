#pragma once

// Reading files as texts within the runtime's limit on the size of a text (kMaxTextSize): the
// size is checked before a text is built, and what needs no whole file (a line count, one line)
// is read piece by piece, so that a huge or growing file ends with a failure instead of taking
// all memory. Only regular files are read, and without waiting: a device may give bytes for
// ever and a pipe may wait for ever for a writer.
//
// Lines are split at line feeds, a carriage return before one dropped; a final line end starts
// no further line.

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>

namespace vex::host {

// Why a file could not be read: what failed ("cannot open", "cannot read") and the cause.
struct TFileFailure {
    std::string What;
    std::string Cause;
};

// Reads a whole file into `contents`. False, with `failure` filled, when the file cannot be read
// or is larger than the longest text.
bool ReadWholeFile(const std::filesystem::path& path, std::string& contents, TFileFailure& failure);

// Reads a stream to its end into `contents` (a script on standard input). False, with `failure`
// filled, when it holds more than the longest text or reading fails.
bool ReadWholeStream(std::istream& in, std::string& contents, TFileFailure& failure);

// Counts the lines of a file without keeping any of them.
bool CountFileLines(const std::filesystem::path& path, std::size_t& count, TFileFailure& failure);

// Reads line `number` (from 1) of a file without its line end; empty after the last line. Fails
// when that line is longer than the longest text.
bool ReadFileLineAt(const std::filesystem::path& path, std::size_t number, std::string& line,
                    TFileFailure& failure);

} // namespace vex::host
