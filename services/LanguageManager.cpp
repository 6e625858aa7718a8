#include "services/LanguageManager.h"

#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "services/SettingsRootKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

#include <map>
#include <memory>

Q_LOGGING_CATEGORY(lcLanguage, "zentaro.language", QtWarningMsg)

namespace {

constexpr int DefaultLanguage = 9;
constexpr const char* ModulePrefix = "ZT";
// The longest text a lookup gives.
constexpr qsizetype MaxLanguageText = 4095;

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

// The module's text for a number; empty when it has none.
QString lookUp(int number) {
    if (!s_state.LanguageModule)
        return {};
    QString text =
        s_state.LanguageModule->translate(nullptr, QByteArray::number(number).constData());
    const qsizetype zero = text.indexOf(QChar(u'\0'));
    if (zero >= 0)
        text.truncate(zero);
    return LeftCharacters(text, MaxLanguageText);
}

} // namespace

QString LeftCharacters(const QString& text, qsizetype length) {
    if (text.size() <= length)
        return text;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

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

bool LoadLanguageModuleQuietly(const QString& prefix, int number) {
    s_state.LanguageModule.reset();
    loadQtTexts(DefaultLanguage);
    const QString fileName = ModuleFileName(prefix, number);
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
    return false;
}

bool LoadCurrentLanguageModuleQuietly() {
    return LoadLanguageModuleQuietly(ApplicationModulePrefix(), CurrentLanguage());
}

QString ApplicationModulePrefix() {
    return QLatin1String(ModulePrefix);
}

QString ModuleFileName(const QString& prefix, int number) {
    return prefix + QString::number(number) + QStringLiteral(".qm");
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

void LanguageDiagnostic(bool flag, const QString& message) {
    qCDebug(lcLanguage) << flag << message;
}
