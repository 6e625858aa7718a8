#include "host/model/IdIndex.h"

#include <algorithm>

namespace vex::host {

// Fibonacci hashing spreads consecutive IDs, the usual ones, over the table.
std::size_t TIdIndex::Home(std::uint32_t id) const noexcept {
    return static_cast<std::size_t>((id * 0x9E3779B97F4A7C15ull) >> 32) & (m_entries.size() - 1);
}

namespace {

// The array is not extended below this size, whatever its use.
constexpr std::size_t kLowMinimum = 64;

} // namespace

void TIdIndex::Set(std::uint32_t id, std::int32_t handle) {
    if (id < m_low.size() || ExtendLow(id)) {
        std::int32_t& place = m_low[id];
        m_lowSize += place == 0 ? 1 : 0;
        place = handle;
        return;
    }
    SetHigh(id, handle);
}

void TIdIndex::Erase(std::uint32_t id) noexcept {
    if (id < m_low.size()) {
        m_lowSize -= m_low[id] != 0 ? 1 : 0;
        m_low[id] = 0;
        return;
    }
    EraseHigh(id);
}

bool TIdIndex::ExtendLow(std::uint32_t id) {
    const std::size_t size = std::max({kLowMinimum, 2 * m_low.size(), std::size_t{id} + 1});
    if (size > kLowMinimum && (m_lowSize + 1) * 4 < size) {
        return false;
    }
    const std::size_t before = m_low.size();
    m_low.resize(size, 0);
    if (m_size == 0) {
        return true;
    }
    // The hash table gives up the IDs that now fall into the array.
    for (const TEntry& entry : std::vector<TEntry>(m_entries)) {
        if (entry.Id != 0 && entry.Id >= before && entry.Id < size) {
            m_low[entry.Id] = entry.Handle;
            ++m_lowSize;
            EraseHigh(entry.Id);
        }
    }
    return true;
}

std::int32_t TIdIndex::FindHigh(std::uint32_t id) const noexcept {
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

void TIdIndex::SetHigh(std::uint32_t id, std::int32_t handle) {
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
void TIdIndex::EraseHigh(std::uint32_t id) noexcept {
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
