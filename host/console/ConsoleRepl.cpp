#include "host/console/ConsoleRepl.h"

#include "host/model/ModelFile.h"

namespace vex::host {

namespace {

constexpr const char* kPrompt = "> ";
constexpr const char* kContinuationPrompt = ">> ";

// Runs one complete statement and prints its value, unless it reported an error or was
// interrupted (the host has written why) or gives no value (Print, a declaration).
void RunEntry(TConsoleSession& session, const std::string& entry, std::ostream& out,
              bool printValues) {
    session.RunText(entry);
    const bool shown = session.HasValueToShow();
    session.ClearInterrupted();
    if (printValues && shown) {
        out << session.ShownValue() << '\n';
        out.flush();
    }
}

} // namespace

void RunInteractive(TConsoleSession& session, TLineReader& reader, std::ostream& out,
                    bool printValues) {
    std::string entry;
    for (;;) {
        std::string line;
        const TLineReader::TResult result =
            reader.ReadLine(entry.empty() ? kPrompt : kContinuationPrompt, line);
        if (result == TLineReader::TResult::End) {
            return;
        }
        if (result == TLineReader::TResult::Cancelled) {
            entry.clear();
            continue;
        }
        entry += entry.empty() ? line : "\n" + line;
        if (EndsInsideStatement(entry)) {
            continue;
        }
        if (!RemoveWhitespaceAndComments(entry).empty()) {
            reader.AddHistory(entry);
            RunEntry(session, entry, out, printValues);
        }
        entry.clear();
    }
}

} // namespace vex::host
