#include "host/model/ModelViews.h"

#include <algorithm>

namespace vex::host {

void TModelViews::Add(TModelView& view) {
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end()) {
        m_views.push_back(&view);
        view.SetWatchesVisible(m_watchesVisible);
    }
}

void TModelViews::Remove(TModelView& view) {
    std::erase(m_views, &view);
}

void TModelViews::ShowFrozenMessage(const std::string& text) {
    for (TModelView* view : m_views) {
        view->ShowFrozenMessage(text);
    }
}

void TModelViews::ReleaseFrozen() {
    for (TModelView* view : m_views) {
        view->ReleaseFrozen();
    }
}

void TModelViews::SetWatchesVisible(bool visible) {
    m_watchesVisible = visible;
    for (TModelView* view : m_views) {
        view->SetWatchesVisible(visible);
    }
}

} // namespace vex::host
