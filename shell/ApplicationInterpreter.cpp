#include "shell/ApplicationInterpreter.h"

#include "debugging/TraceWindows.h"
#include "host/StandardWords.h"
#include "platform/CodePage.h"
#include "shell/ApplicationHost.h"

TApplicationInterpreter::TApplicationInterpreter(TApplicationHost& host)
    : TLanguageInterpreter(host) {
    vex::host::RegisterStandardWords(*this);
    vex::GlobalContext = this;
}

TApplicationInterpreter::~TApplicationInterpreter() {
    if (vex::GlobalContext == this)
        vex::GlobalContext = nullptr;
}

void TApplicationInterpreter::ReportError(const std::string& message) {
    TraceMessage(fromWindows1252(message), true);
}
