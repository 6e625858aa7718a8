#include "runtime/SimpleStringList.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace vex {

namespace {

unsigned char foldAscii(unsigned char c) noexcept {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

} // namespace

int TSimpleStringList::IndexOf(std::string_view s) const {
    if (m_sorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (SameText(m_items[i].Text, s)) {
            return i;
        }
    }
    return -1;
}

bool TSimpleStringList::Find(std::string_view s, int& index) const {
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int order = CompareText(m_items[middle].Text, s);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                if (!m_acceptDuplicates) {
                    low = middle;
                }
            }
        }
    }
    index = low;
    return found;
}

int TSimpleStringList::Add(std::string_view s, std::intptr_t object) {
    if (!m_sorted) {
        m_items.push_back({std::string(s), object});
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index) && !m_acceptDuplicates) {
        return index;
    }
    Insert(index, s, object);
    return index;
}

void TSimpleStringList::Insert(int index, std::string_view s, std::intptr_t object) {
    if (index < 0 || index > Count()) {
        throw std::out_of_range("list index out of bounds");
    }
    m_items.insert(m_items.begin() + index, Entry{std::string(s), object});
}

void TSimpleStringList::Append(std::string_view s, std::intptr_t object) {
    m_items.push_back(Entry{std::string(s), object});
}

void TSimpleStringList::Delete(int index) {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("list index out of bounds");
    }
    m_items.erase(m_items.begin() + index);
}

// Sorted by keys folded once (the order of CompareText is that of the folded bytes, then of the
// lengths), and by positions rather than entries: each entry then moves once, to its place.
void TSimpleStringList::Sort() {
    std::vector<std::string> keys(m_items.size());
    std::vector<std::uint32_t> order(m_items.size());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        keys[i] = m_items[i].Text;
        for (char& c : keys[i]) {
            c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
        }
        order[i] = static_cast<std::uint32_t>(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<Entry> sorted;
    sorted.reserve(m_items.size());
    for (const std::uint32_t i : order) {
        sorted.push_back(std::move(m_items[i]));
    }
    m_items = std::move(sorted);
    m_sorted = true;
}

} // namespace vex
