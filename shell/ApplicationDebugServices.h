#pragma once

#include "debugging/DebuggerServices.h"
#include "shell/ModelReader.h"

namespace vex::host {
class TModelServices;
}

// The desktop application's debugger services: those of the debugging layer, with the host's
// model views (which show the frozen message while the preference ShowFrozenMessages is on),
// the model the panes read, and the application object's end.
class TApplicationDebugServices : public TDebuggerServices {
    Q_OBJECT

public:
    // The services must outlive these.
    TApplicationDebugServices(vex::TLanguageInterpreter& context,
                              vex::host::TModelServices& services, QObject* parent = nullptr);

    // Also once the application object has begun to shut down.
    bool IsTerminating() const override;
    bool ShowFrozenMessages() const override;
    void ShowFrozenMessage(const std::string& message) override;
    void ReleaseFrozen() override;

private:
    vex::host::TModelServices& m_services;
    TModelReader m_reader;
};
