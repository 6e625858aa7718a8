#include "host/model/IdIndex.h"

namespace vex::host {

// Fibonacci hashing spreads runs of eight consecutive IDs, the usual ones, over the table, and
// keeps each run together in one cache line: creating many atoms then reads a new line once per
// eight atoms instead of once per atom.
std::size_t TIdIndex::Home(std::uint32_t id) const noexcept {
    const auto run = static_cast<std::size_t>(((id >> 3) * 0x9E3779B97F4A7C15ull) >> 32);
    return ((run << 3) | (id & 7u)) & (m_entries.size() - 1);
}

std::int32_t TIdIndex::Find(std::uint32_t id) const noexcept {
    if (m_entries.empty() || id == 0) {
        return 0;
    }
    const std::size_t mask = m_entries.size() - 1;
    for (std::size_t place = Home(id);; place = (place + 1) & mask) {
        const TEntry& entry = m_entries[place];
        if (entry.Id == id) {
            return entry.Handle;
        }
        if (entry.Id == 0) {
            return 0;
        }
    }
}

void TIdIndex::Set(std::uint32_t id, std::int32_t handle) {
    if ((m_size + 1) * 4 > m_entries.size() * 3) {
        Grow();
    }
    const std::size_t mask = m_entries.size() - 1;
    for (std::size_t place = Home(id);; place = (place + 1) & mask) {
        TEntry& entry = m_entries[place];
        if (entry.Id == id) {
            entry.Handle = handle;
            return;
        }
        if (entry.Id == 0) {
            entry = {id, handle};
            ++m_size;
            return;
        }
    }
}

// Linear probing without tombstones: the entries after the freed place that would no longer be
// found from their home place move back into it.
void TIdIndex::Erase(std::uint32_t id) noexcept {
    if (m_entries.empty() || id == 0) {
        return;
    }
    const std::size_t mask = m_entries.size() - 1;
    std::size_t place = Home(id);
    while (m_entries[place].Id != id) {
        if (m_entries[place].Id == 0) {
            return;
        }
        place = (place + 1) & mask;
    }
    std::size_t hole = place;
    for (std::size_t next = (hole + 1) & mask; m_entries[next].Id != 0; next = (next + 1) & mask) {
        const std::size_t home = Home(m_entries[next].Id);
        // The entry may fill the hole when its home does not lie in (hole, next].
        const bool homeBetween =
            hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
        if (!homeBetween) {
            m_entries[hole] = m_entries[next];
            hole = next;
        }
    }
    m_entries[hole] = {};
    --m_size;
}

void TIdIndex::Grow() {
    std::vector<TEntry> old = std::move(m_entries);
    m_entries.assign(old.empty() ? 16 : old.size() * 2, TEntry{});
    m_size = 0;
    const std::size_t mask = m_entries.size() - 1;
    for (const TEntry& entry : old) {
        if (entry.Id == 0) {
            continue;
        }
        std::size_t place = Home(entry.Id);
        while (m_entries[place].Id != 0) {
            place = (place + 1) & mask;
        }
        m_entries[place] = entry;
        ++m_size;
    }
}

} // namespace vex::host
