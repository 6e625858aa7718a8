#include "shell/ModelTreeView.h"

#include "host/model/ModelServices.h"
#include "platform/CodePage.h"

#include <QScrollBar>

#include <algorithm>
#include <unordered_set>
#include <utility>

using vex::host::TAtom;
using vex::host::TModel;
using vex::host::TModelServices;

namespace {

constexpr int kAtomRole = Qt::UserRole;

QTreeWidgetItem* newAtomItem(const TAtom& atom) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, fromWindows1252(atom.AtomName()));
    item->setData(0, kAtomRole, atom.Handle());
    return item;
}

} // namespace

struct TModelTreeView::TViewState {
    std::unordered_set<std::int32_t> Expanded;
    std::int32_t Current = 0;
    int ScrollValue = 0;
};

TModelTreeView::TModelTreeView(QWidget* parent)
    : QTreeWidget(parent)
    , m_frozen(new QLabel(this)) {
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &TModelTreeView::rebuild);
    m_frozen->setObjectName(QStringLiteral("lblFrozen"));
    m_frozen->setAlignment(Qt::AlignCenter);
    m_frozen->setWordWrap(true);
    m_frozen->setFrameShape(QFrame::Box);
    m_frozen->setAutoFillBackground(true);
    m_frozen->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_frozen->hide();
}

TModelTreeView::~TModelTreeView() {
    if (m_services && m_services->Tree == this)
        m_services->Tree = nullptr;
    if (m_services)
        m_services->Views.Remove(*this);
    discardItems();
}

void TModelTreeView::ShowFrozenMessage(const std::string& text) {
    m_frozen->setText(fromWindows1252(QByteArray::fromStdString(text)));
    placeFrozenMessage();
    m_frozen->show();
    m_frozen->raise();
}

void TModelTreeView::ReleaseFrozen() {
    m_frozen->hide();
}

QString TModelTreeView::frozenMessage() const {
    return m_frozen->isHidden() ? QString() : m_frozen->text();
}

void TModelTreeView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    placeFrozenMessage();
}

// Across the middle of the tree, a little narrower than it.
void TModelTreeView::placeFrozenMessage() {
    const int width = std::max(0, this->width() - 16);
    const int height = m_frozen->heightForWidth(width) + 16;
    m_frozen->setGeometry(8, (this->height() - height) / 2, width, height);
}

void TModelTreeView::attach(TModelServices* services) {
    m_services = services;
    m_shownBefore = false;
    rebuild();
}

void TModelTreeView::Refresh() {
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

void TModelTreeView::rebuild() {
    m_refreshTimer.stop();
    const TViewState state = saveViewState();
    setUpdatesEnabled(false);
    discardItems();
    if (m_services)
        fillItems(m_services->Model);
    restoreViewState(state);
    setUpdatesEnabled(true);
    m_shownBefore = true;
    ++m_rebuilds;
    emit rebuilt();
}

std::int32_t TModelTreeView::atomOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kAtomRole).toInt() : 0;
}

QTreeWidgetItem* TModelTreeView::itemOf(std::int32_t atom) const {
    const auto found = m_items.find(atom);
    return found == m_items.end() ? nullptr : found->second;
}

TModelTreeView::TViewState TModelTreeView::saveViewState() const {
    TViewState state;
    for (const auto& [atom, item] : m_items)
        if (item->isExpanded())
            state.Expanded.insert(atom);
    state.Current = atomOf(currentItem());
    state.ScrollValue = verticalScrollBar()->value();
    return state;
}

void TModelTreeView::restoreViewState(const TViewState& state) {
    if (!m_shownBefore) {
        if (m_services)
            if (QTreeWidgetItem* model = itemOf(m_services->Model.Root()))
                model->setExpanded(true);
        return;
    }
    for (std::int32_t atom : state.Expanded)
        if (QTreeWidgetItem* item = itemOf(atom))
            item->setExpanded(true);
    if (QTreeWidgetItem* current = itemOf(state.Current))
        setCurrentItem(current);
    doItemsLayout();
    verticalScrollBar()->setValue(state.ScrollValue);
}

// Items are built apart from the view and handed to it in one step (adding them one by one to a
// shown tree costs a notification each). The walk keeps its own stack, so a deep chain of atoms
// cannot exhaust the native one.
void TModelTreeView::fillItems(const TModel& model) {
    QList<QTreeWidgetItem*> topLevel;
    std::vector<std::pair<std::int32_t, QTreeWidgetItem*>> pending{{model.Main(), nullptr}};
    while (!pending.empty()) {
        const auto [handle, item] = pending.back();
        pending.pop_back();
        const TAtom* atom = model.FindAtom(handle);
        if (!atom)
            continue;
        QList<QTreeWidgetItem*> children;
        children.reserve(static_cast<qsizetype>(atom->Children().size()));
        for (std::int32_t childHandle : atom->Children()) {
            const TAtom* child = model.FindAtom(childHandle);
            if (!child)
                continue;
            QTreeWidgetItem* childItem = newAtomItem(*child);
            m_items.emplace(childHandle, childItem);
            m_itemOrder.push_back(childItem);
            children.append(childItem);
            pending.emplace_back(childHandle, childItem);
        }
        if (item)
            item->addChildren(children);
        else
            topLevel = children;
    }
    addTopLevelItems(topLevel);
}

// Takes the items out of the view and frees them one by one, children before their mothers, so
// that no step walks a whole subtree: deleting a top-level item would free its subtree
// recursively (a deep chain of atoms would overflow the stack), and taking the children of each
// item from the top down would cost the square of the depth.
void TModelTreeView::discardItems() {
    invisibleRootItem()->takeChildren();
    for (auto item = m_itemOrder.rbegin(); item != m_itemOrder.rend(); ++item)
        (*item)->takeChildren();
    for (QTreeWidgetItem* item : m_itemOrder)
        delete item;
    m_itemOrder.clear();
    m_items.clear();
}
