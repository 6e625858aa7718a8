#pragma once

#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItem>

// A tree as text for comparisons: each item's name with its children in parentheses, siblings
// separated by spaces ("model(Queue(Customer) Teller) Library").
inline QString TreeItemShape(const QTreeWidgetItem* item) {
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i)
        children << TreeItemShape(item->child(i));
    return children.isEmpty() ? item->text(0)
                              : QString("%1(%2)").arg(item->text(0), children.join(' '));
}

inline QString TreeShape(const QTreeWidget& tree) {
    QStringList items;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        items << TreeItemShape(tree.topLevelItem(i));
    return items.join(' ');
}
