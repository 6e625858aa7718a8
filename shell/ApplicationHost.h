#pragma once

#include "debugging/TraceWindows.h"
#include "host/WordHost.h"
#include "host/model/ModelServices.h"

#include "runtime/VexScript.h"

#include <QObject>
#include <QString>

class TApplicationServices;

// The desktop application's side of the runtime: TApplicationHost, the host the runtime runs in,
// and TApplicationInterpreter, the runtime context made with it. The console runner's
// counterparts are TConsoleHost and TConsoleInterpreter (host/console/ConsoleHost.h). Neither is
// the application object (TZTApplication) nor the automation object (TZTApp).

// The host of the desktop application's runtime: the model with its services (registers,
// progress display, preferences) and the words' trace sink and random generator from the host
// layer, interface texts from the language manager, and error boxes through the application's
// services. Trace messages of the words (Print, Trace) go to the trace windows. While the host
// lives, it fills in the services' trace look (wrap, quiet) from its preferences and the file
// dialogs' places bar from its preferences and its model's file.
class TApplicationHost : public QObject, public vex::host::TModelHost, public vex::host::TWordHost {
    Q_OBJECT

public:
    // `services` must outlive the host.
    explicit TApplicationHost(TApplicationServices& services, QObject* parent = nullptr);
    ~TApplicationHost() override;

    // The language module's text as Windows-1252 bytes; empty when the module has none, so that
    // the runtime falls back to its English text.
    std::string LanguageText(int number) const override;
    // A modal error box with an OK button, the message after its place.
    void ShowErrorBox(const std::string& message) override;
    // The error box for an exception that left an evaluation; nothing for one without a message
    // (the silent abort, an abort asked for from outside).
    void HandleException(const std::exception& error) override;
    // A message of the words to the error window (isError) or the trace window.
    void TraceMessage(std::string_view text, bool isError) override;

private:
    friend class TApplicationInterpreter;

    TApplicationServices& m_services;

    // The context made with this host, while it exists: the place of an error box comes from
    // it.
    vex::TLanguageInterpreter* m_context = nullptr;
};

// The desktop application's runtime context: created at start-up with the standard words and
// handed to the windows in the application's services (editing/ApplicationServices.h). Its compile
// and run errors carry their place (the file and line of the statement, the handler of an atom, the
// user-defined word), and the error window subscribes to them.
class TApplicationInterpreter : public vex::TLanguageInterpreter {
public:
    // `stackSize`: the bytes of the shared stack space for frames of locals.
    explicit TApplicationInterpreter(TApplicationHost& host, std::int32_t stackSize = 1 << 20);
    ~TApplicationInterpreter() override;

protected:
    void LocateError(vex::TRunError& error) override;

private:
    TApplicationHost& m_host;
    TErrorWindowFeed m_errorWindow{*this};
};
