#pragma once

#include <string>
#include <vector>

namespace vex::host {

// A window that shows the model (2D or 3D view). The debugger freezes the views while a run is
// paused and releases them when it goes on.
class TModelView {
public:
    virtual ~TModelView() = default;
    virtual void ShowFrozenMessage(const std::string& text) = 0;
    virtual void ReleaseFrozen() = 0;
    // Shows or hides the watch overlays (DisplayWatches).
    virtual void SetWatchesVisible(bool visible) = 0;
};

// The registered model views; the console has none. Each operation goes to every view.
class TModelViews {
public:
    void Add(TModelView& view);
    void Remove(TModelView& view);
    void ShowFrozenMessage(const std::string& text);
    void ReleaseFrozen();
    void SetWatchesVisible(bool visible);
    bool WatchesVisible() const noexcept { return m_watchesVisible; }
    std::size_t Count() const noexcept { return m_views.size(); }

private:
    std::vector<TModelView*> m_views;
    bool m_watchesVisible = true;
};

// The mouse cursor of the application's windows; the console has none.
class TCursorDisplay {
public:
    virtual ~TCursorDisplay() = default;
    virtual void SetWaitCursor(bool wait) = 0;
};

// The tree view of the model's atoms; the console has none.
class TModelTree {
public:
    virtual ~TModelTree() = default;
    virtual void Refresh() = 0;
};

} // namespace vex::host
