#pragma once

#include <string_view>

namespace vex::host {

// Where the words that write messages send them (Print, Trace). The console host writes every
// message as a line on standard output; the desktop application adds them to its trace window,
// error messages to its error window.
class TTraceSink {
public:
    virtual ~TTraceSink() = default;
    // Sends one message; `isError` marks it for the error window.
    virtual void TraceMessage(std::string_view text, bool isError) = 0;
};

} // namespace vex::host
