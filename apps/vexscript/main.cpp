// vexscript: runs VexScript files and texts in the console.

#include "host/console/ConsoleRunner.h"

#if ZENTARO_LANGUAGE_MODULES
#include "platform/CodePage.h"
#include "services/LanguageManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#endif

#include <iostream>
#include <string>
#include <vector>

namespace {

#if ZENTARO_LANGUAGE_MODULES
// The interface texts of the language the settings name, from the same language module the
// desktop application loads. Without a usable module the runner stays English and says nothing:
// a console tool has no business opening the manager's message box, so the module is tried first.
vex::host::TLanguageTexts userLanguageTexts() {
    InitializeLanguageManager();
    const QString file = QStringLiteral("ZT%1.qm").arg(CurrentLanguage());
    for (const QString& directory : LanguageModuleDirectories()) {
        QTranslator probe;
        if (probe.load(QDir(directory).filePath(file))) {
            if (LoadLanguageModule(QStringLiteral("ZT"), CurrentLanguage())) {
                return
                    [](int number) { return toWindows1252(GetLanguageText(number)).toStdString(); };
            }
            break;
        }
    }
    return {};
}
#else
vex::host::TLanguageTexts userLanguageTexts() {
    return {};
}
#endif

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
#if ZENTARO_LANGUAGE_MODULES
    // The language modules are found beside the executable; no display is needed.
    QCoreApplication application(argc, argv);
#endif
    return vex::host::RunConsole(arguments, std::cout, std::cerr, userLanguageTexts());
}
