#include "shell/ApplicationDebugServices.h"

#include "host/model/ModelServices.h"
#include "shell/ZTApplication.h"

TApplicationDebugServices::TApplicationDebugServices(vex::TLanguageInterpreter& context,
                                                     vex::host::TModelServices& services,
                                                     QObject* parent)
    : TDebuggerServices(context, &m_reader, parent)
    , m_services(services)
    , m_reader(services) {}

bool TApplicationDebugServices::IsTerminating() const {
    const TZTApplication* application = TZTApplication::instance();
    return TDebuggerServices::IsTerminating() || (application && application->isTerminating());
}

bool TApplicationDebugServices::ShowFrozenMessages() const {
    return m_services.Preferences.ShowFrozenMessages;
}

void TApplicationDebugServices::ShowFrozenMessage(const std::string& message) {
    m_services.Views.ShowFrozenMessage(message);
}

void TApplicationDebugServices::ReleaseFrozen() {
    m_services.Views.ReleaseFrozen();
}
