// vexscript: runs VexScript files and texts in the console. The runner is host/console/.

#include "EditLineReader.h"

#include "host/console/ConsoleRunner.h"

#if ZENTARO_LANGUAGE_MODULES
#include "services/LanguageManager.h"

#include <QCoreApplication>
#endif

#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The interface texts of the language the settings name, from the language module the desktop
// application loads; English when there is no usable module, without a word about it.
vex::host::TLanguageTexts userLanguageTexts() {
#if ZENTARO_LANGUAGE_MODULES
    InitializeLanguageManager();
    if (LoadCurrentLanguageModuleQuietly())
        return &GetLanguageBytes;
#endif
    return {};
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
#if ZENTARO_LANGUAGE_MODULES
    // The language modules are found beside the executable; no display is needed.
    QCoreApplication application(argc, argv);
#endif
    const vex::host::TConsoleEnvironment environment{
        std::cin,
        std::cout,
        std::cerr,
        ::isatty(STDIN_FILENO) == 1,
        [] { return std::make_unique<TEditLineReader>(); },
        userLanguageTexts()};
    return vex::host::RunConsole(arguments, environment);
}
