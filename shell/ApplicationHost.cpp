#include "shell/ApplicationHost.h"

#include "debugging/TraceWindows.h"
#include "host/StandardWords.h"
#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ShellTexts.h"

#include <QApplication>

// The trace windows follow the preferences while this host lives.
TApplicationHost::TApplicationHost(QObject* parent)
    : QObject(parent) {
    SetTraceHostInputs({[this] { return Services().Preferences.TraceWordWrap; },
                        [this] { return Services().Preferences.TraceQuiet; }});
}

TApplicationHost::~TApplicationHost() {
    SetTraceHostInputs({});
}

std::string TApplicationHost::LanguageText(int number) const {
    return GetLanguageBytes(number);
}

void TApplicationHost::ShowErrorBox(const std::string& message) {
    showMessageBox({QApplication::activeWindow(), QMessageBox::Critical, ShellText(stErrorTitle),
                    fromWindows1252(vex::PrintableMessage(message))});
}

void TApplicationHost::HandleException(const std::exception& error) {
    const std::string message = vex::ErrorMessage(error);
    if (!message.empty())
        ShowErrorBox(message);
}

void TApplicationHost::TraceMessage(std::string_view text, bool isError) {
    ::TraceMessage(
        fromWindows1252(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))), isError);
}

// The context is the global one until it is destroyed (the runtime's destructor withdraws it).
TApplicationInterpreter::TApplicationInterpreter(TApplicationHost& host)
    : TLanguageInterpreter(host) {
    vex::host::RegisterStandardWords(*this);
    vex::GlobalContext = this;
}

void TApplicationInterpreter::ReportError(const std::string& message) {
    ::TraceMessage(fromWindows1252(vex::PrintableMessage(message)), true);
}
