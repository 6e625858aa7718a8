#include "host/model/ProgressDisplay.h"

#include <algorithm>

namespace vex::host {

const TProgressItem* TProgressDisplay::Find(std::string_view name) const noexcept {
    const auto found =
        std::find_if(m_items.begin(), m_items.end(),
                     [name](const TProgressItem& item) { return item.Name == name; });
    return found == m_items.end() ? nullptr : &*found;
}

void TProgressDisplay::Show(std::string_view name, std::string_view caption, std::int64_t total) {
    Hide(name);
    m_items.push_back({std::string(name), std::string(caption), total, 0});
    if (m_view) {
        m_view->ProgressChanged(m_items.back(), true);
    }
}

void TProgressDisplay::Advance(std::string_view name, std::int64_t amount) {
    auto* item = const_cast<TProgressItem*>(Find(name));
    if (!item) {
        return;
    }
    item->Position += amount;
    if (m_view) {
        m_view->ProgressChanged(*item, true);
    }
}

void TProgressDisplay::Hide(std::string_view name) {
    const auto found =
        std::find_if(m_items.begin(), m_items.end(),
                     [name](const TProgressItem& item) { return item.Name == name; });
    if (found == m_items.end()) {
        return;
    }
    const TProgressItem item = *found;
    m_items.erase(found);
    if (m_view) {
        m_view->ProgressChanged(item, false);
    }
}

} // namespace vex::host
