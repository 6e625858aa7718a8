#pragma once

#include <cstdint>
#include <vector>

namespace vex::host {

// The atoms by ID: a hash table with open addressing that keeps the pairs in one array (eight
// bytes each, at least a quarter of the places free), where a node-based map would take about
// forty bytes an atom. IDs are nonzero; 0 marks a free place.
class TIdIndex {
public:
    // The handle of an ID, or 0.
    std::int32_t Find(std::uint32_t id) const noexcept;
    bool Contains(std::uint32_t id) const noexcept { return Find(id) != 0; }
    // Adds an ID or changes its handle.
    void Set(std::uint32_t id, std::int32_t handle);
    void Erase(std::uint32_t id) noexcept;
    std::size_t Size() const noexcept { return m_size; }

private:
    struct TEntry {
        std::uint32_t Id = 0;
        std::int32_t Handle = 0;
    };
    std::size_t Home(std::uint32_t id) const noexcept;
    void Grow();

    std::vector<TEntry> m_entries;
    std::size_t m_size = 0;
};

} // namespace vex::host
