#pragma once

#include "debugging/DebuggerModel.h"

namespace vex::host {
class TModelServices;
}

// What the debugger's panes read of the host's model, read through the model's handles: a stale
// or made-up atom reference finds nothing, so the panes never follow a freed atom.
class TModelReader : public TDebuggerModel {
public:
    // The services must outlive the reader.
    explicit TModelReader(const vex::host::TModelServices& services)
        : m_services(services) {}

    std::optional<TDebuggerAtom> Atom(std::int32_t reference) const override;
    std::vector<TDebuggerEvent> Events(std::size_t limit, std::size_t& total) const override;
    std::optional<std::int32_t> CurrentEventCode() const override;
    std::string CodeKindName(int kind) const override;

private:
    const vex::host::TModelServices& m_services;
};
