#pragma once

#include "shell/automation/AutomationValue.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace vex {
class TLanguageInterpreter;
struct TRunResult;
} // namespace vex

class TApplicationServices;

// The automation object other programs drive Zentaro through, holding nothing between calls.
// It is not the application object (TZTApplication), and it knows nothing of the transport: its
// D-Bus face is TAutomationObject, which owns one, and the service on the bus is
// TAutomationService.
//
// Each operation composes one VexScript text, runs it through the runtime's external entry
// (which suppresses debugging and restores what it changes) and converts the result. Every
// operation first clears its out-parameters and never lets an exception escape: a failure comes
// back as a status with the message, the out-parameters keeping their cleared values.
//
// Each run is an automation call (TAutomationCall): it waits on no person (a message box it
// would show becomes its failure) and ends early when another thread aborts it or its time
// limit passes, which is a failure as well. While a run waits in the debugger, every operation
// fails at once: it would run nested in the paused run. Errors inside a script are reported by the
// runtime and are no failure; the open and save operations are the exception: a run whose result
// holds an error fails with the first one, and a file whose reading reports an error leaves the
// model as it was.
class TZTApp {
public:
    // The operations find the runtime in the services' context when they run (none while no
    // runtime runs), and a call's message boxes take the place of the services' own while it
    // runs. The application hands in its services, a test its own; they must outlive the object.
    explicit TZTApp(TApplicationServices& services);
    TZTApp(const TZTApp&) = delete;
    TZTApp& operator=(const TZTApp&) = delete;
    ~TZTApp();

    // Asks this object's running call to end, or with `anyCall` whichever automation call runs;
    // safe from any thread. True when there was one to ask.
    bool Abort(bool anyCall = false);
    // The longest a later call may run before it is aborted, in milliseconds; 0 (the start) for
    // no limit. Safe from any thread.
    void SetTimeLimit(std::uint32_t milliseconds) noexcept { m_timeLimit = milliseconds; }
    std::uint32_t TimeLimit() const noexcept { return m_timeLimit; }

    // Starts a new, empty model.
    TAutomationStatus NewModel();
    // Opens a model file. `result` is the number of the run as a double, or the integer -1 when
    // no file of that name exists (then nothing runs). A name Windows-1252 cannot hold or a file
    // that cannot be read fails before anything changes; a read that reports an error fails
    // and leaves the model as it was.
    TAutomationStatus OpenModel(const QString& fileName, TAutomationValue& result);
    // Opens a library file into the model; results as OpenModel (a failed read leaves nothing
    // below the library).
    TAutomationStatus OpenLibrary(const QString& fileName, TAutomationValue& result);
    // Saves the model under its name; a model without one, or a save that reports an error,
    // fails.
    TAutomationStatus SaveModel();
    // Runs a client's VexScript as one piece of code (the D-Bus method ExecuteScript): the
    // number as a double and the text. With no words registered yet, both stay empty and the
    // runtime is not touched.
    TAutomationStatus RunClientScript(const QString& script, QString& resultText,
                                      TAutomationValue& result);
    // Runs a client's VexScript and gives only its text, as a string (the D-Bus method
    // ExecuteScriptText; an empty string with no words registered).
    TAutomationStatus RunClientScriptForText(const QString& script, TAutomationValue& result);

    // The texts the operations compose, for a file name already in the script's code page.
    static std::string openModelScript(const std::string& fileName);
    static std::string openLibraryScript(const std::string& fileName);

private:
    TAutomationStatus safeCall(const std::function<void()>& operation);
    vex::TLanguageInterpreter& context() const;
    // Runs a text as an automation call; the call's failure (a box, an abort) raises.
    vex::TRunResult run(const std::string& script) const;
    // Raises the first error of a run's result as the operation's failure.
    static void failOnErrors(const vex::TRunResult& result);
    bool hasWords() const;
    TAutomationStatus open(const QString& fileName, TAutomationValue& result, bool library);

    TApplicationServices& m_services;
    std::atomic<std::uint32_t> m_timeLimit{0};
};
