#pragma once

#include "host/model/ModelViews.h"

#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include <cstdint>
#include <string>
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
// It is also a model view: while the debugger holds a run frozen and the preferences ask for
// it, a message over the tree ("Frozen for debug") says that the atoms shown are the frozen
// run's; releasing the run takes it away. It has no watches to show or hide.
//
// The view reads the model of the services it is attached to; those must outlive the view or be
// detached first. While the view is the services' registered tree or one of their views,
// destroying it unregisters it.
class TModelTreeView : public QTreeWidget,
                       public vex::host::TModelTree,
                       public vex::host::TModelView {
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

    // TModelView: the frozen message over the tree, and its removal.
    void ShowFrozenMessage(const std::string& text) override;
    void ReleaseFrozen() override;
    void SetWatchesVisible(bool) override {}
    // The frozen message shown, or an empty text.
    QString frozenMessage() const;

    // The atom handle an item stands for.
    static std::int32_t atomOf(const QTreeWidgetItem* item);
    // The item of an atom, or none when the tree does not show it.
    QTreeWidgetItem* itemOf(std::int32_t atom) const;

signals:
    // After every rebuild.
    void rebuilt();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TViewState;

    void placeFrozenMessage();

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
    QLabel* m_frozen;
};
