#include "debugging/ListingPositions.h"

#include <algorithm>

TListingPositions::TListingPositions(std::string_view listing, int indentWidth) {
    int total = 0;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const char c = listing[i];
        if (c == '\r' && i + 1 < listing.size() && listing[i + 1] == '\n') {
            total -= 1;
            m_shifts.push_back({static_cast<int>(i + 1), total});
        } else if (c == '\t') {
            total += indentWidth - 1;
            m_shifts.push_back({static_cast<int>(i + 1), total});
        }
    }
}

int TListingPositions::ControlPosition(int offset) const {
    const auto after =
        std::upper_bound(m_shifts.begin(), m_shifts.end(), offset,
                         [](int value, const TShift& shift) { return value < shift.Offset; });
    return after == m_shifts.begin() ? offset : offset + std::prev(after)->Total;
}
