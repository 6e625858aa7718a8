#include "services/LanguageManager.h"

#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>

#include <functional>
#include <map>
#include <memory>
#include <optional>

Q_LOGGING_CATEGORY(lcLanguage, "zentaro.language", QtWarningMsg)

namespace {

constexpr int DefaultLanguage = 9;
constexpr const char* ApplicationModulePrefix = "ZT";
// The longest text a lookup gives, and the longest window text that takes part in translation.
constexpr qsizetype MaxLanguageText = 4095;
constexpr qsizetype MaxWindowText = 1023;

// The manager's state: the language number and the module loaded for it, if any, with Qt's own
// catalogue of that language (the texts of Qt's dialogs and standard buttons).
struct TLanguageState {
    int CurrentLanguage = DefaultLanguage;
    std::unique_ptr<QTranslator> LanguageModule;
    std::unique_ptr<QTranslator> QtTexts;
};

TLanguageState s_state;

// The locale of a language number (Windows' primary language identifiers).
QString localeOfLanguage(int number) {
    static const std::map<int, const char*> locales = {
        {4, "zh"},  {5, "cs"},  {6, "da"},  {7, "de"},  {8, "el"},  {9, "en"},
        {10, "es"}, {11, "fi"}, {12, "fr"}, {13, "he"}, {14, "hu"}, {16, "it"},
        {17, "ja"}, {18, "ko"}, {19, "nl"}, {20, "nb"}, {21, "pl"}, {22, "pt"},
        {25, "ru"}, {27, "sk"}, {29, "sv"}, {31, "tr"}, {34, "uk"}};
    const auto found = locales.find(number);
    return found == locales.end() ? QString() : QString::fromLatin1(found->second);
}

// Releases Qt's catalogue and, for a language other than English, installs the one of
// `number` where the system has it (Qt's own texts stay English otherwise), with the language's
// locale for what Qt writes itself (sizes and dates in the file dialog).
void loadQtTexts(int number) {
    if (s_state.QtTexts) {
        QCoreApplication::removeTranslator(s_state.QtTexts.get());
        s_state.QtTexts.reset();
    }
    QLocale::setDefault(QLocale::system());
    const QString locale = localeOfLanguage(number);
    if (!QCoreApplication::instance() || locale.isEmpty() || locale == QLatin1String("en"))
        return;
    QLocale::setDefault(QLocale(locale));
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(texts.get());
    s_state.QtTexts = std::move(texts);
}

int helpContext(const QObject* component) {
    return component->property("helpContext").toInt();
}

int tag(const QObject* component) {
    return component->property("tag").toInt();
}

// The first `length` characters, one fewer when that would split a surrogate pair.
QString leftCharacters(const QString& text, qsizetype length) {
    if (text.size() <= length)
        return text;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

// The module's text for a number; empty when it has none.
QString lookUp(int number) {
    if (!s_state.LanguageModule)
        return {};
    QString text =
        s_state.LanguageModule->translate(nullptr, QByteArray::number(number).constData());
    const qsizetype zero = text.indexOf(QChar(u'\0'));
    if (zero >= 0)
        text.truncate(zero);
    return leftCharacters(text, MaxLanguageText);
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
                TranslateText(number, leftCharacters(current, MaxWindowText));
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

int CurrentLanguage() {
    return s_state.CurrentLanguage;
}

void InitializeLanguageManager() {
    using namespace zentaro::platform;
    s_state = TLanguageState();
    TRegistryKey general;
    if (TRegistryKey::CurrentUser().OpenKey(std::string(SettingsRootKey) + "\\General", general) !=
        TRegistryStatus::Success)
        return;
    TRegistryValue value;
    if (general.QueryValue("Application Language", value) == TRegistryStatus::Success &&
        value.Type == TRegistryType::Integer)
        s_state.CurrentLanguage = static_cast<std::int32_t>(value.Integer);
}

void FinalizeLanguageManager() {
    s_state.LanguageModule.reset();
    loadQtTexts(DefaultLanguage);
}

QStringList LanguageModuleDirectories() {
    QStringList directories;
    if (QCoreApplication::instance())
        directories.append(QCoreApplication::applicationDirPath());
    directories.append(QStringLiteral(ZENTARO_LANGUAGE_INSTALL_DIR));
    return directories;
}

bool LoadLanguageModule(const QString& prefix, int number, TModuleFailure onFailure) {
    s_state.LanguageModule.reset();
    loadQtTexts(DefaultLanguage);
    const QString fileName = prefix + QString::number(number) + QStringLiteral(".qm");
    for (const QString& directory : LanguageModuleDirectories()) {
        const QString path = QDir(directory).filePath(fileName);
        if (!QFileInfo(path).isFile())
            continue;
        auto module = std::make_unique<QTranslator>();
        if (module->load(path)) {
            s_state.LanguageModule = std::move(module);
            s_state.CurrentLanguage = number;
            loadQtTexts(number);
            return true;
        }
    }
    if (onFailure == TModuleFailure::ShowErrorBox)
        showMessageBox({nullptr, QMessageBox::Critical, QString(),
                        QStringLiteral("Language module %1 could not be located").arg(fileName)});
    return false;
}

bool LoadCurrentLanguageModule(TModuleFailure onFailure) {
    return LoadLanguageModule(QLatin1String(ApplicationModulePrefix), CurrentLanguage(), onFailure);
}

bool IsLanguageModuleLoaded() {
    return s_state.LanguageModule != nullptr;
}

QString GetLanguageText(int number) {
    if (!s_state.LanguageModule)
        LanguageDiagnostic(false, QStringLiteral("Premature load: "));
    const QString text = lookUp(number);
    if (text.isEmpty())
        LanguageDiagnostic(true, QStringLiteral("Failed: id = %1, default = ").arg(number));
    return text;
}

std::string GetLanguageBytes(int number) {
    return toWindows1252(GetLanguageText(number)).toStdString();
}

QString TranslateText(int number, const QString& defaultText) {
    if (defaultText.isEmpty())
        return defaultText;
    const QString text = lookUp(number);
    return text.isEmpty() ? defaultText : text;
}

void TranslateForm(QWidget* form) {
    if (!s_state.LanguageModule || !form)
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

void LanguageDiagnostic(bool flag, const QString& message) {
    qCDebug(lcLanguage) << flag << message;
}
