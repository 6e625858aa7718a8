#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the debugger's panes read of the host's simulation model, and nothing more: an atom's ID,
// name and mother by its reference, the pending events in the order they will run, and the event
// being handled. The shell implements it over the model; the debugger never holds on to what it
// reads between two updates.
//
// A reference is the 32-bit number scripts see. It may be none (0), stale (its atom was
// destroyed) or made up; the reader then answers none, and the panes show that the data could not
// be read instead of following the reference.

// An atom as the panes show it.
struct TDebuggerAtom {
    std::uint32_t Id = 0;
    std::string Name;
    // The mother's reference; 0 for an atom without one.
    std::int32_t Mother = 0;
};

// A pending event as the panes show it; atom references may be none, stale or made up.
struct TDebuggerEvent {
    double Time = 0;
    std::int32_t Code = 0;
    std::int32_t Priority = 0;
    std::int32_t Atom = 0;
    std::int32_t Involved = 0;
};

class TDebuggerModel {
public:
    virtual ~TDebuggerModel() = default;

    // The atom of a live reference; none for 0, a stale reference or a number that never was
    // one.
    virtual std::optional<TDebuggerAtom> Atom(std::int32_t reference) const = 0;
    // The pending events in the order they will run, at most `limit` of them, and how many there
    // are in all.
    virtual std::vector<TDebuggerEvent> Events(std::size_t limit, std::size_t& total) const = 0;
    // The code of the event whose handler runs, or none.
    virtual std::optional<std::int32_t> CurrentEventCode() const = 0;
    // The name of a kind of handler code (1 "OnEvent" to 15), empty for other values.
    virtual std::string CodeKindName(int kind) const = 0;
};
