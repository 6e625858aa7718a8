#pragma once

#include "editing/EditorMessages.h"
#include "editing/RuntimeLookup.h"
#include "services/MessageBoxes.h"

#include <QString>

#include <functional>
#include <memory>

namespace vex {
class TLanguageInterpreter;
}

// What the application's windows need of the application, in one object: the runtime context,
// message boxes, where the editor's messages go and how the error window is shown, the printer
// to print on and the model object selected in the main window.
//
// The application makes one at start-up (TApplicationShell) and hands it to the main window,
// which passes it on to its script panel; the editor's commands and tool windows reach it
// through their editor. A test makes its own and fills in what it scripts:
//
//     TApplicationServices services;
//     services.Context = &context;                       // or services.Runtime = &fake;
//     services.MessageBoxes = [&](const TMessageBoxRequest& r) { ...; return QMessageBox::Ok; };
//     services.Messages = [&](const QString& text, bool) { messages << text; };
//     panel.SetServices(services);
//
// A member left empty has its plain default: a QMessageBox, the log, the printing system's
// default printer, no runtime, no selected object. The object must outlive every window it is
// handed to; everything here runs on the GUI thread.
class TApplicationServices {
public:
    TApplicationServices();
    ~TApplicationServices();
    TApplicationServices(const TApplicationServices&) = delete;
    TApplicationServices& operator=(const TApplicationServices&) = delete;

    // The runtime context; none where the windows run without one.
    vex::TLanguageInterpreter* Context = nullptr;
    // Stands in for the lookup over Context (a test's fake runtime).
    TRuntimeLookup* Runtime = nullptr;
    TMessageBoxPresenter MessageBoxes;
    TEditorMessageSink Messages;
    // Shows the error window afresh (the editor's "Show trace window").
    TTraceWindowPresenter TraceWindow;
    // The name of the printer to print on, empty when none is installed.
    std::function<QString()> Printer;
    // The model object the main window has selected: bare names in the text of the editor's
    // syntax check may denote its named attributes.
    TSelectedObjectSource SelectedObject;

    // Runtime, else the lookup over Context; none without either.
    TRuntimeLookup* RuntimeLookup() const;
    QMessageBox::StandardButton ShowMessageBox(const TMessageBoxRequest& request) const;
    void Message(const QString& text, bool isError) const;
    // Without a presenter the request is reported through Message.
    void ShowTraceWindow() const;
    QString PrinterName() const;
    const vex::TBindingObject* SelectedModelObject() const;

    // The services of a window that was handed none: every member at its default.
    static const TApplicationServices& None();

private:
    std::unique_ptr<TRuntimeLookup> m_contextLookup;
};
