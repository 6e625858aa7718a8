#include "host/model/EventList.h"

namespace vex::host {

bool TEventList::TOrder::operator()(const TEvent& a, const TEvent& b) const noexcept {
    if (a.Time != b.Time) {
        return a.Time < b.Time;
    }
    if (a.Priority != b.Priority) {
        return a.Priority > b.Priority;
    }
    return a.Sequence < b.Sequence;
}

std::uint64_t TEventList::Schedule(double time, std::int32_t code, std::int32_t priority,
                                   std::int32_t atom, std::int32_t involved) {
    const std::uint64_t sequence = m_nextSequence++;
    m_events.insert({time, code, priority, atom, involved, sequence});
    return sequence;
}

TEvent TEventList::TakeNext() {
    TEvent event = *m_events.begin();
    m_events.erase(m_events.begin());
    return event;
}

std::size_t TEventList::RemoveEventsOf(const std::unordered_set<std::int32_t>& atoms) {
    return std::erase_if(m_events,
                         [&atoms](const TEvent& event) { return atoms.contains(event.Atom); });
}

} // namespace vex::host
