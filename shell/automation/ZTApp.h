#pragma once

#include "shell/automation/AutomationValue.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

namespace vex {
class TLanguageInterpreter;
}

// The automation object other programs drive Zentaro through, holding nothing between calls.
// It is not the application object (TZTApplication), and it knows nothing of the transport: its
// D-Bus face is TAutomationObject, which owns one, and the service on the bus is
// TAutomationService.
//
// Each operation composes one VexScript text, runs it through the runtime's external entry
// (which suppresses debugging and restores what it changes) and converts the result. Every
// operation first clears its out-parameters and never lets an exception escape: a failure comes
// back as a status with the message, the out-parameters keeping their cleared values.
class TZTApp {
public:
    // Where the operations find the runtime: the application's global context unless a test
    // supplies another.
    using ContextSource = std::function<vex::TLanguageInterpreter*()>;

    explicit TZTApp(ContextSource context = {});
    TZTApp(const TZTApp&) = delete;
    TZTApp& operator=(const TZTApp&) = delete;
    ~TZTApp();

    // Starts a new, empty model.
    TAutomationStatus NewModel();
    // Opens a model file. `result` is the number of the run as a double, or the integer -1 when
    // no file of that name exists (then nothing runs).
    TAutomationStatus OpenModel(const QString& fileName, TAutomationValue& result);
    // Opens a library file into the model; results as OpenModel.
    TAutomationStatus OpenLibrary(const QString& fileName, TAutomationValue& result);
    // Saves the model under its name.
    TAutomationStatus SaveModel();
    // Runs VexScript: the number as a double and the text. With no words registered yet, both
    // stay empty and the runtime is not touched.
    TAutomationStatus ExecuteScript(const QString& script, QString& resultText,
                                    TAutomationValue& result);
    // Runs VexScript and gives its text as a string (an empty string with no words registered).
    TAutomationStatus ExecuteScriptText(const QString& script, TAutomationValue& result);

    // The most recently created instance (through which the host may reach its client), or none.
    static TZTApp* lastInitialized() noexcept;

    // The texts the operations compose, for a file name already in the script's code page.
    static std::string openModelScript(const std::string& fileName);
    static std::string openLibraryScript(const std::string& fileName);

private:
    TAutomationStatus safeCall(const std::function<void()>& operation);
    vex::TLanguageInterpreter& context() const;
    double run(const std::string& script, QByteArray* text = nullptr) const;
    bool hasWords() const;
    TAutomationStatus open(const QString& fileName, TAutomationValue& result,
                           std::string (*compose)(const std::string&));

    ContextSource m_context;
};
