#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::host {

// One named item of the progress display, such as "t-FileRead" while a model file is read.
struct TProgressItem {
    std::string Name;
    std::string Caption;
    std::int64_t Total = 0;
    std::int64_t Position = 0;
};

// What shows progress on screen; the shell implements it, the console has none.
class TProgressView {
public:
    virtual ~TProgressView() = default;
    // An item was shown, advanced or hidden (`visible` false).
    virtual void ProgressChanged(const TProgressItem& item, bool visible) = 0;
};

// The state of the progress display: the items shown and how far each has come. Without a view
// it keeps the state silently, so a console run behaves like a windowed one.
class TProgressDisplay {
public:
    // Shows an item (again from position 0).
    void Show(std::string_view name, std::string_view caption, std::int64_t total);
    // Advances a shown item; an item not shown is ignored.
    void Advance(std::string_view name, std::int64_t amount);
    void Hide(std::string_view name);
    // True while at least one item is shown.
    bool IsActive() const noexcept { return !m_items.empty(); }
    // The shown item of that name, or none.
    const TProgressItem* Find(std::string_view name) const noexcept;
    void SetView(TProgressView* view) noexcept { m_view = view; }

private:
    std::vector<TProgressItem> m_items;
    TProgressView* m_view = nullptr;
};

} // namespace vex::host
