#pragma once

#include <cstdint>
#include <vector>

namespace vex::host {

// The atoms by ID. IDs are mostly given in order from 1, so the low IDs are kept in an array
// indexed by ID (four bytes each) that grows only while at least a quarter of it is used; the
// others (IDs read from files, or new IDs while the low ones have been destroyed, as a simulation
// that creates and destroys its customers does) go to a hash table with open addressing that keeps
// the pairs in one array (eight bytes each, at least a quarter of the places free), where a
// node-based map would take about forty bytes an atom. IDs are nonzero; a handle or ID of 0
// marks a free place.
class TIdIndex {
public:
    // The handle of an ID, or 0.
    std::int32_t Find(std::uint32_t id) const noexcept {
        return id < m_low.size() ? m_low[id] : FindHigh(id);
    }
    bool Contains(std::uint32_t id) const noexcept { return Find(id) != 0; }
    // Adds an ID or changes its handle.
    void Set(std::uint32_t id, std::int32_t handle);
    void Erase(std::uint32_t id) noexcept;
    std::size_t Size() const noexcept { return m_lowSize + m_size; }

private:
    struct TEntry {
        std::uint32_t Id = 0;
        std::int32_t Handle = 0;
    };
    // Extends the array to take `id` when a quarter of it stays used; false when it would not.
    bool ExtendLow(std::uint32_t id);
    std::int32_t FindHigh(std::uint32_t id) const noexcept;
    void SetHigh(std::uint32_t id, std::int32_t handle);
    void EraseHigh(std::uint32_t id) noexcept;
    std::size_t Home(std::uint32_t id) const noexcept;
    void Grow();

    // Handles by ID below its size, and how many of them are set.
    std::vector<std::int32_t> m_low;
    std::size_t m_lowSize = 0;
    // The hash table of the IDs from m_low.size() up, and its number of IDs.
    std::vector<TEntry> m_entries;
    std::size_t m_size = 0;
};

} // namespace vex::host
