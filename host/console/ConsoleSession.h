#pragma once

#include "host/console/ConsoleHost.h"

#include <ostream>
#include <string>
#include <string_view>

namespace vex::host {

// One run of the console runner: the console host and its context with the standard words, and
// the value of the last script or text that ran. Every run is held by a TInterruptHandler, so
// that Ctrl+C ends it (host/console/InterruptHandler.h); errors go to the host, after their
// place.
class TConsoleSession {
public:
    TConsoleSession(std::ostream& out, std::ostream& err, TLanguageTexts texts);

    TConsoleHost& Host() noexcept { return m_host; }
    const TConsoleHost& Host() const noexcept { return m_host; }
    TConsoleInterpreter& Context() noexcept { return m_context; }

    // Runs a script statement by statement; `name` (its file name) is the place of its errors.
    void RunScript(const std::string& name, std::string_view script);
    // Runs a text as one piece of code (a -e text, an entry of the interactive mode).
    void RunText(std::string_view text);

    // True once Ctrl+C ended a run (or came while one ran); ClearInterrupted forgets it.
    bool Interrupted() const noexcept { return m_host.Interrupted(); }
    void ClearInterrupted() noexcept;

    // The value of the last run: its number and text, and whether it counts as a text (a text
    // constant, a text variable, a word that gives texts), so that an empty text is shown as
    // an empty line and not as 0.
    double Number() const noexcept { return m_number; }
    const TText& Text() const noexcept { return m_text; }
    // The value as it is shown: the text, or the number in the number format.
    std::string ShownValue() const;
    // True when the last run reported no error and was not interrupted: its value is worth
    // showing.
    bool LastRunSucceeded() const noexcept {
        return m_host.ErrorCount() == m_errorsBeforeRun && !Interrupted();
    }

private:
    void NoteInterruption(bool interrupted);

    TConsoleHost m_host;
    TConsoleInterpreter m_context;
    double m_number = 0;
    TText m_text;
    bool m_isText = false;
    int m_errorsBeforeRun = 0;
};

} // namespace vex::host
