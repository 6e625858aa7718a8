#include "shell/ModelReader.h"

#include "host/model/HandlerKinds.h"
#include "host/model/ModelServices.h"

std::optional<TDebuggerAtom> TModelReader::Atom(std::int32_t reference) const {
    const vex::host::TAtom* atom = m_services.Model.FindAtom(reference);
    if (!atom)
        return std::nullopt;
    return TDebuggerAtom{atom->AtomId(), atom->AtomName(), atom->Mother()};
}

std::vector<TDebuggerEvent> TModelReader::Events(std::size_t limit, std::size_t& total) const {
    const vex::host::TEventList& list = m_services.Model.Events();
    total = list.Count();
    std::vector<TDebuggerEvent> events;
    events.reserve(std::min(limit, total));
    for (const vex::host::TEvent& event : list.Events()) {
        if (events.size() == limit)
            break;
        events.push_back({event.Time, event.Code, event.Priority, event.Atom, event.Involved});
    }
    return events;
}

std::optional<std::int32_t> TModelReader::CurrentEventCode() const {
    const vex::host::TEvent* event = m_services.Model.CurrentEvent();
    return event ? std::optional<std::int32_t>(event->Code) : std::nullopt;
}

std::string TModelReader::CodeKindName(int kind) const {
    return std::string(vex::host::HandlerKindName(kind));
}
