#pragma once

#include "services/LanguageManager.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <set>

// Adds the text numbers a window's layout carries: "tag" and "helpContext" of the window and of
// every object below it, and helpContext + 1 where the object has a hint.
inline void addLayoutNumbers(QWidget* window, std::set<int>& numbers) {
    QList<QObject*> components = window->findChildren<QObject*>();
    components.prepend(window);
    for (const QObject* component : components) {
        if (const QVariant tag = component->property("tag"); tag.isValid())
            numbers.insert(tag.toInt());
        const QVariant helpContext = component->property("helpContext");
        if (!helpContext.isValid())
            continue;
        numbers.insert(helpContext.toInt());
        const QString hint =
            component->property("statusTip").toString() + component->property("toolTip").toString();
        if (!hint.isEmpty())
            numbers.insert(helpContext.toInt() + 1);
    }
}

// The numbers the loaded language module has no text for.
inline QStringList missingLanguageNumbers(const std::set<int>& numbers) {
    QStringList missing;
    for (int number : numbers)
        if (GetLanguageText(number).isEmpty())
            missing << QString::number(number);
    return missing;
}
