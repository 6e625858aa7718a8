#pragma once

#include "runtime/Text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// A list of byte strings, each with an integer object, searched and sorted ignoring ASCII case.
//
// An unsorted list keeps the order of insertion and `IndexOf` scans it; a sorted list keeps its
// strings in `CompareText` order and searches by bisection.
class TSimpleStringList {
public:
    // A string with the integer that goes with it.
    struct Entry {
        std::string Text;
        std::intptr_t Object = 0;
    };

    // An unsorted or a sorted list; a sorted list without duplicates keeps each string once.
    explicit TSimpleStringList(bool sorted = false, bool acceptDuplicates = false)
        : m_sorted(sorted)
        , m_acceptDuplicates(acceptDuplicates) {}

    // The number of entries.
    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    // True for a list kept in CompareText order.
    bool Sorted() const noexcept { return m_sorted; }
    // The string and the object at a position (std::out_of_range beyond the entries).
    const std::string& operator[](int index) const { return m_items.at(index).Text; }
    std::intptr_t Object(int index) const { return m_items.at(index).Object; }
    // Replace the string or the object at a position; a sorted list must stay in order.
    void SetString(int index, std::string_view text) { m_items.at(index).Text = text; }
    void SetObject(int index, std::intptr_t object) { m_items.at(index).Object = object; }

    // Position of s, or -1. Unsorted lists compare linearly; sorted lists bisect with `Find`.
    int IndexOf(std::string_view s) const;
    // Bisection on a sorted list: true when s is present. `index` is where s is, or where it
    // would be inserted. Without duplicates the search stops at the first equal entry found.
    bool Find(std::string_view s, int& index) const;
    // Adds s with its object: at the end of an unsorted list, at its place in a sorted one.
    // A sorted list that does not accept duplicates returns the existing position instead.
    int Add(std::string_view s, std::intptr_t object = 0);
    // Inserts at a given position (unsorted lists, or a position that keeps the order).
    void Insert(int index, std::string_view s, std::intptr_t object = 0);
    // Adds s at the end whatever the order. A sorted list must be sorted again (`Sort`) before
    // it is searched; many entries are added faster this way than one by one at their place.
    void Append(std::string_view s, std::intptr_t object = 0);
    // Makes room for `count` entries in all.
    void Reserve(int count) { m_items.reserve(static_cast<std::size_t>(count)); }
    // Removes the entry at a position.
    void Delete(int index);
    // Removes every entry.
    void Clear() noexcept { m_items.clear(); }
    // Sorts with `CompareText` and keeps the list sorted from then on.
    void Sort();

private:
    std::vector<Entry> m_items;
    bool m_sorted;
    bool m_acceptDuplicates;
};

} // namespace vex
