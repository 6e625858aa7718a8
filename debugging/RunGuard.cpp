#include "debugging/RunGuard.h"

#include "debugging/DebuggerServices.h"

TRunGuard::TRunGuard(vex::TLanguageInterpreter& context, TRunOwner owner)
    : m_services(DebuggerServicesOf(context)) {
    if (m_services)
        m_services->EnterRun(owner);
}

TRunGuard::~TRunGuard() {
    if (m_services)
        m_services->LeaveRun();
}
