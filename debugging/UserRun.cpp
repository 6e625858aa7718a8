#include "debugging/UserRun.h"

#include "debugging/DebuggerServices.h"

TUserRun::TUserRun(vex::TLanguageInterpreter& context, bool debug)
    : m_context(context)
    , m_services(DebuggerServicesOf(context))
    , m_savedOrigin(vex::DebugControlOf(context).RunOrigin)
    , m_endedRuns(m_services ? m_services->EndedRuns() : 0) {
    vex::TDebugControl& control = vex::DebugControlOf(context);
    control.RunOrigin = vex::roInterruption;
    if (!debug || !m_services)
        return;
    vex::SwitchDebugging(context, true);
    control.DebugOrigins |= vex::roInterruption;
    if (vex::TDebuggerWindow* window = control.Window())
        window->TickOriginBoxes(control.DebugOrigins);
    control.SetDebugMode(vex::dsStepInto);
}

TUserRun::~TUserRun() {
    vex::TDebugControl& control = vex::DebugControlOf(m_context);
    control.RunOrigin = m_savedOrigin;
    // Only the outermost run decides how the next one starts.
    if (m_context.ActiveFrameCount() > 0)
        return;
    if (control.Stepping())
        control.SetDebugMode(vex::dsRun);
    vex::SetRunning(m_context, true);
}

bool TUserRun::Ended() const {
    return m_services && m_services->EndedRuns() != m_endedRuns;
}
