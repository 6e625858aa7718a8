#pragma once

#include <cstdint>
#include <set>
#include <unordered_set>

namespace vex::host {

// A pending event: at `Time`, the OnEvent handler of `Atom` runs with `Code` readable through
// EventCode and `Involved` in the second register. Atom references may be none (0).
struct TEvent {
    double Time = 0;
    std::int32_t Code = 0;
    std::int32_t Priority = 0;
    std::int32_t Atom = 0;
    std::int32_t Involved = 0;
    // Order of scheduling; breaks ties of time and priority.
    std::uint64_t Sequence = 0;
};

// The pending events in the order they will run: by time, then the higher priority first, then
// the order they were scheduled in.
class TEventList {
public:
    struct TOrder {
        bool operator()(const TEvent& a, const TEvent& b) const noexcept;
    };
    using TEvents = std::set<TEvent, TOrder>;

    // Adds an event and gives its sequence number.
    std::uint64_t Schedule(double time, std::int32_t code, std::int32_t priority, std::int32_t atom,
                           std::int32_t involved);
    bool Empty() const noexcept { return m_events.empty(); }
    std::size_t Count() const noexcept { return m_events.size(); }
    const TEvent& Next() const { return *m_events.begin(); }
    // Takes the next event out of the list.
    TEvent TakeNext();
    // Drops every event of the atoms; gives how many were dropped.
    std::size_t RemoveEventsOf(const std::unordered_set<std::int32_t>& atoms);
    void Clear() noexcept { m_events.clear(); }
    // In list order, for display and saving.
    const TEvents& Events() const noexcept { return m_events; }

private:
    TEvents m_events;
    std::uint64_t m_nextSequence = 1;
};

} // namespace vex::host
