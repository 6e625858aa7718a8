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

    // Runs a script statement by statement (TScriptSession); `name` (its file name) is the
    // place of its errors.
    const TRunResult& RunScript(const std::string& name, std::string_view script);
    // Runs a text as one piece of code (a -e text, an entry of the interactive mode).
    const TRunResult& RunText(std::string_view text);

    // True once Ctrl+C ended a run (or came while one ran); ClearInterrupted forgets it.
    bool Interrupted() const noexcept { return m_host.Interrupted(); }
    void ClearInterrupted() noexcept;

    // The result of the last run, and whether its value counts as a text (a text constant, a
    // text variable, a word that gives texts), so that an empty text is shown as an empty line
    // and not as 0.
    const TRunResult& LastRun() const noexcept { return m_last; }
    double Number() const noexcept { return m_last.Number; }
    const std::string& Text() const noexcept { return m_last.Text; }
    // The value as it is shown: the text, or the number in the number format.
    std::string ShownValue() const;
    // True when the last run reported no error and was not interrupted: its value is worth
    // showing.
    bool LastRunSucceeded() const noexcept { return m_last.Succeeded() && !Interrupted(); }
    // True when the last run succeeded and its value means something: a text of one piece whose
    // value is that of Print, Trace or a declaration gives none.
    bool HasValueToShow() const noexcept { return LastRunSucceeded() && m_hasValue; }

private:
    void NoteInterruption(bool interrupted);

    TConsoleHost m_host;
    TConsoleInterpreter m_context;
    TRunResult m_last;
    bool m_isText = false;
    bool m_hasValue = true;
};

} // namespace vex::host
