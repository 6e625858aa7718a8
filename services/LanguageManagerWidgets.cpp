// The language manager's work on windows: translating forms and their components, and the
// error box of a module that cannot be loaded. It is kept apart from LanguageManager.cpp so that
// a program without windows (the console runner) links the manager without the window libraries.

#include "services/LanguageManager.h"

#include "services/MessageBoxes.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include <functional>
#include <optional>

namespace {

// The longest window text that takes part in translation.
constexpr qsizetype MaxWindowText = 1023;

int helpContext(const QObject* component) {
    return component->property("helpContext").toInt();
}

int tag(const QObject* component) {
    return component->property("tag").toInt();
}

// Replaces a value through TranslateText; writes only what changed.
template <class Get, class Set>
void translateValue(int number, Get get, Set set) {
    const QString current = get();
    const QString translated = TranslateText(number, current);
    if (translated != current)
        set(translated);
}

// The text a widget shows as its own, with the way to set it; none for a widget without one.
struct TWindowText {
    std::function<QString()> Get;
    std::function<void(const QString&)> Set;
};

std::optional<TWindowText> windowTextOf(QWidget* widget) {
    if (widget->isWindow())
        return TWindowText{[widget] { return widget->windowTitle(); },
                           [widget](const QString& text) { widget->setWindowTitle(text); }};
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return TWindowText{[button] { return button->text(); },
                           [button](const QString& text) { button->setText(text); }};
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return TWindowText{[box] { return box->title(); },
                           [box](const QString& text) { box->setTitle(text); }};
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return TWindowText{[edit] { return edit->toPlainText(); },
                           [edit](const QString& text) { edit->setPlainText(text); }};
    if (auto* edit = qobject_cast<QTextEdit*>(widget))
        return TWindowText{[edit] { return edit->toPlainText(); },
                           [edit](const QString& text) { edit->setPlainText(text); }};
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
        return TWindowText{[combo] { return combo->currentText(); },
                           [combo](const QString& text) { combo->setEditText(text); }};
    // A tab page's caption is the tab's text, held by the tab widget above its stack.
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs && tabs->indexOf(widget) >= 0)
        return TWindowText{
            [tabs, widget] { return tabs->tabText(tabs->indexOf(widget)); },
            [tabs, widget](const QString& text) { tabs->setTabText(tabs->indexOf(widget), text); }};
    return std::nullopt;
}

bool isSeparatorText(const QString& text) {
    return text == QLatin1String("-");
}

// A named menu item or menu that is not a separator: its caption and its status tip.
template <class TItem>
void translateMenuItem(TItem* item, QString (TItem::*caption)() const,
                       void (TItem::*setCaption)(const QString&)) {
    if (item->objectName().isEmpty() || isSeparatorText((item->*caption)()))
        return;
    const int number = helpContext(item);
    translateValue(
        number, [item, caption] { return (item->*caption)(); },
        [item, setCaption](const QString& text) { (item->*setCaption)(text); });
    translateValue(
        number + 1, [item] { return item->statusTip(); },
        [item](const QString& text) { item->setStatusTip(text); });
}

void translateFileDialog(QFileDialog* dialog) {
    const int number = helpContext(dialog);
    translateValue(
        number, [dialog] { return dialog->windowTitle(); },
        [dialog](const QString& text) { dialog->setWindowTitle(text); });
    translateValue(
        number + 1, [dialog] { return dialog->nameFilters().join(QLatin1String(";;")); },
        [dialog](const QString& text) {
            dialog->setNameFilters(text.split(QLatin1String(";;"), Qt::SkipEmptyParts));
        });
}

// A control with a text of its own: the text (at most its first 1023 characters) and the tool
// tip. The tool tip is taken before the text is touched.
void translateControl(QWidget* widget) {
    const int number = helpContext(widget);
    const QString hint = widget->toolTip();
    if (const std::optional<TWindowText> text = windowTextOf(widget)) {
        const QString current = text->Get();
        if (!current.isEmpty()) {
            const QString translated =
                TranslateText(number, LeftCharacters(current, MaxWindowText));
            if (translated != current)
                text->Set(translated);
        }
    }
    if (!hint.isEmpty())
        widget->setToolTip(TranslateText(number + 1, hint));
}

void translateTree(QObject* component) {
    TranslateComponent(component);
    // The children as they are now; a guard skips any that translating has removed.
    QList<QPointer<QObject>> children;
    for (QObject* child : component->children())
        children.append(child);
    for (const QPointer<QObject>& child : children)
        if (child)
            translateTree(child);
}

} // namespace

bool LoadLanguageModule(const QString& prefix, int number, TModuleFailure onFailure,
                        const TMessageBoxPresenter& showBox) {
    if (LoadLanguageModuleQuietly(prefix, number))
        return true;
    const QString fileName = ModuleFileName(prefix, number);
    if (onFailure == TModuleFailure::ShowErrorBox)
        showMessageBox(showBox,
                       {nullptr, QMessageBox::Critical, QString(),
                        QStringLiteral("Language module %1 could not be located").arg(fileName)});
    return false;
}

bool LoadCurrentLanguageModule(TModuleFailure onFailure, const TMessageBoxPresenter& showBox) {
    return LoadLanguageModule(ApplicationModulePrefix(), CurrentLanguage(), onFailure, showBox);
}

void TranslateForm(QWidget* form) {
    if (!IsLanguageModuleLoaded() || !form)
        return;
    translateTree(form);
}

void TranslateComponent(QObject* component) {
    if (auto* action = qobject_cast<QAction*>(component)) {
        if (!action->isSeparator())
            translateMenuItem(action, &QAction::text, &QAction::setText);
        return;
    }
    if (auto* menu = qobject_cast<QMenu*>(component))
        return translateMenuItem(menu, &QMenu::title, &QMenu::setTitle);
    auto* widget = qobject_cast<QWidget*>(component);
    if (!widget || qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget))
        return;
    if (auto* button = qobject_cast<QToolButton*>(widget))
        return translateValue(
            tag(button), [button] { return button->toolTip(); },
            [button](const QString& text) { button->setToolTip(text); });
    if (auto* label = qobject_cast<QLabel*>(widget))
        return translateValue(
            tag(label), [label] { return label->text(); },
            [label](const QString& text) { label->setText(text); });
    if (auto* dialog = qobject_cast<QFileDialog*>(widget))
        return translateFileDialog(dialog);
    translateControl(widget);
}
