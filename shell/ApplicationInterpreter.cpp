#include "shell/ApplicationInterpreter.h"

#include "host/StandardWords.h"
#include "shell/ApplicationHost.h"

TApplicationInterpreter::TApplicationInterpreter(TApplicationHost& host)
    : TLanguageInterpreter(host)
    , m_host(host) {
    vex::host::RegisterStandardWords(*this);
    vex::GlobalContext = this;
}

TApplicationInterpreter::~TApplicationInterpreter() {
    if (vex::GlobalContext == this)
        vex::GlobalContext = nullptr;
}

void TApplicationInterpreter::ReportError(const std::string& message) {
    m_host.reportError(message);
}
