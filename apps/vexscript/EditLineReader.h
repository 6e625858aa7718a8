#pragma once

#include "host/console/LineReader.h"

#include <memory>

// The line editor of vexscript's interactive mode on a terminal, over libedit: a prompt, line
// editing with the usual keys, and a history of the statements entered (Up and Down recall
// them). Ctrl+C drops the line being typed, Ctrl+D on an empty line leaves.
class TEditLineReader : public vex::host::TLineReader {
public:
    TEditLineReader();
    ~TEditLineReader() override;
    TEditLineReader(const TEditLineReader&) = delete;
    TEditLineReader& operator=(const TEditLineReader&) = delete;

    TResult ReadLine(const std::string& prompt, std::string& line) override;
    void AddHistory(const std::string& entry) override;

    // The editor, its history and the prompt it shows.
    struct TState;

private:
    std::unique_ptr<TState> m_state;
};
