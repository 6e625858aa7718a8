#pragma once

#include <istream>
#include <string>

namespace vex::host {

// Where the interactive mode of the console runner reads its lines: a line editor on a terminal
// (apps/vexscript/EditLineReader.h), or a plain stream.
class TLineReader {
public:
    enum class TResult {
        // A line was read.
        Line,
        // Ctrl+C dropped the line being typed.
        Cancelled,
        // Ctrl+D on an empty line, or the end of the input.
        End
    };

    virtual ~TLineReader() = default;
    // Shows `prompt` and reads one line, without its line break.
    virtual TResult ReadLine(const std::string& prompt, std::string& line) = 0;
    // Keeps an entry (a statement, perhaps of several lines) for recalling it later.
    virtual void AddHistory(const std::string& entry) = 0;
};

// Lines from a stream, without prompt, editing or history: the interactive mode on a pipe.
class TStreamLineReader : public TLineReader {
public:
    explicit TStreamLineReader(std::istream& in)
        : m_in(in) {}
    TResult ReadLine(const std::string&, std::string& line) override {
        return std::getline(m_in, line) ? TResult::Line : TResult::End;
    }
    void AddHistory(const std::string&) override {}

private:
    std::istream& m_in;
};

} // namespace vex::host
