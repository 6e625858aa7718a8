#pragma once

#include "host/WordHost.h"
#include "host/model/ModelServices.h"

#include "runtime/VexScript.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// Where a console host finds the interface text of a number (Windows-1252 bytes; empty when
// there is none, so that the runtime uses its English text).
using TLanguageTexts = std::function<std::string(int)>;

// An error message as the console host received it, with the place it was reported from.
struct TConsoleError {
    TErrorPlace Place;
    std::string Message;
};

// An error as a JSON object: {"file": F, "line": L, "message": M}, with null for the file and the
// line of an error outside a script file; inside a handler also "handler": {"atom": NAME,
// "id": ID, "kind": KIND, "time": T}, inside a user-defined word "word": NAME.
std::string JsonError(const TConsoleError& error);
// Errors as a JSON array of such objects.
std::string JsonErrors(const std::vector<TConsoleError>& errors);

// The host a console program runs VexScript in: the model with its services (no windows
// attached), the interface texts it is given (English without), trace messages as lines on one
// stream and error messages as lines on another, each after its place ("bank.vex:12: ", see
// host/model/RunPlaces.h).
class TConsoleHost : public TModelHost, public TWordHost {
public:
    TConsoleHost(std::ostream& trace, std::ostream& errors, TLanguageTexts texts = {});

    std::string LanguageText(int number) const override {
        return m_texts ? m_texts(number) : std::string();
    }
    void ShowErrorBox(const std::string& message) override;
    // Writes the message of an exception that left a run. A run that was aborted (ERunAborted,
    // Ctrl+C in the console runner) is written once as "Interrupted", at the place where the run
    // was, and marks the host as interrupted.
    void HandleException(const std::exception& error) override;
    void TraceMessage(std::string_view text, bool isError) override;

    // The context whose places and running words the error messages name; set by the context.
    void Attach(TLanguageInterpreter* context) noexcept { m_context = context; }

    // Writes an error message after its place and keeps both.
    void WriteError(const std::string& message);
    // Writes a reported error after its place: the place of the failing code when the runtime
    // knows it, else where the run is.
    void WriteError(const TRunError& error);
    // Every error written so far, in order.
    const std::vector<TConsoleError>& Errors() const noexcept { return m_errors; }
    int ErrorCount() const noexcept { return static_cast<int>(m_errors.size()); }
    // True once a run was aborted; ClearInterrupted forgets it for the next run.
    bool Interrupted() const noexcept { return m_interrupted; }
    void ClearInterrupted() noexcept { m_interrupted = false; }
    // The exit status of a console program that ran in this host: 130 after an interruption
    // (as a shell reports a program ended by Ctrl+C), else 0 when no error message was written
    // and 1 when one was.
    int ExitStatus() const noexcept { return m_interrupted ? 130 : m_errors.empty() ? 0 : 1; }

private:
    TErrorPlace CurrentPlace();
    void Write(TErrorPlace place, const std::string& message);

    TLanguageTexts m_texts;
    std::ostream& m_traceStream;
    std::ostream& m_errorStream;
    TLanguageInterpreter* m_context = nullptr;
    std::vector<TConsoleError> m_errors;
    bool m_interrupted = false;
};

// A runtime context whose error messages go to its console host, each with its place.
class TConsoleInterpreter : public TLanguageInterpreter, private TErrorSubscriber {
public:
    // Creates the context, fills the registry with the standard words and publishes it as the
    // global context (until it is destroyed).
    explicit TConsoleInterpreter(TConsoleHost& host);
    ~TConsoleInterpreter() override;

protected:
    void LocateError(TRunError& error) override;

private:
    void ErrorReported(const TRunError& error) override;

    TConsoleHost& m_host;
};

} // namespace vex::host
