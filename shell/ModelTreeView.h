#pragma once

#include "host/model/ModelViews.h"

#include <QTimer>
#include <QTreeWidget>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vex::host {
class TModel;
class TModelServices;
} // namespace vex::host

// The tree of the model's atoms in the main window: one item per atom below "main", so the fixed
// atoms "model" (shown with the model's name) and "Library" are the top-level items. Each item
// carries its atom's handle.
//
// The model services call Refresh whenever the atoms may have changed. A refresh only marks the
// tree as out of date; the rebuild runs once at the next turn of the event loop, however many
// refreshes came before it, so a script that creates ten thousand atoms rebuilds the tree once.
// A rebuild keeps the expanded items, the current item and the scroll position of the atoms that
// still exist.
//
// The view reads the model of the services it is attached to; those must outlive the view or be
// detached first. While the view is the services' registered tree, destroying it unregisters it.
class TModelTreeView : public QTreeWidget, public vex::host::TModelTree {
    Q_OBJECT

public:
    explicit TModelTreeView(QWidget* parent = nullptr);
    ~TModelTreeView() override;

    // Shows the model of `services` (rebuilt at once), or nothing for none.
    void attach(vex::host::TModelServices* services);

    // TModelTree: the atoms may have changed; rebuilds at the next turn of the event loop.
    void Refresh() override;
    // Rebuilds now, which is what a pending refresh runs.
    void rebuild();
    bool refreshPending() const noexcept { return m_refreshTimer.isActive(); }
    // Rebuilds so far, for tests and diagnostics.
    int rebuildCount() const noexcept { return m_rebuilds; }

    // The atom handle an item stands for.
    static std::int32_t atomOf(const QTreeWidgetItem* item);
    // The item of an atom, or none when the tree does not show it.
    QTreeWidgetItem* itemOf(std::int32_t atom) const;

signals:
    // After every rebuild.
    void rebuilt();

private:
    struct TViewState;

    TViewState saveViewState() const;
    void restoreViewState(const TViewState& state);
    void fillItems(const vex::host::TModel& model);
    void discardItems();

    vex::host::TModelServices* m_services = nullptr;
    QTimer m_refreshTimer;
    std::unordered_map<std::int32_t, QTreeWidgetItem*> m_items;
    // The items in the order they were made: every item after its mother's.
    std::vector<QTreeWidgetItem*> m_itemOrder;
    int m_rebuilds = 0;
    bool m_shownBefore = false;
};
