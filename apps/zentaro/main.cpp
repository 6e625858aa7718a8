// zentaro: the desktop application. Start-up lives in shell/; this only reads the command line.

#include "shell/ApplicationShell.h"

#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void printUsage(std::FILE* stream) {
    std::fputs("usage: zentaro [FILE]\n"
               "  FILE           VexScript file to open in the script editor\n"
               "  --regserver    register the automation service for start on demand and exit\n"
               "  --unregserver  remove that registration and exit\n"
               "  --help         show this help and exit\n"
               "  --version      show the version and exit\n",
               stream);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// True when Qt has a place to show windows: a display named in the environment, or a platform
// chosen by QT_QPA_PLATFORM or -platform. Without one, QApplication would abort the process
// after listing its plugins.
bool hasDisplay(int argc, char* argv[]) {
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before QApplication exists, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("zentaro " ZENTARO_VERSION);
            return 0;
        }
    }

    if (!hasDisplay(argc, argv)) {
        std::fputs("zentaro: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                   "run scripts with vexscript, or give -platform offscreen\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    // QApplication has taken out its own options (-platform and the like); what is left is ours.
    QStringList args = app.arguments().mid(1);
    auto serverSwitch = TApplicationShell::TServerSwitch::None;
    if (args.size() == 1 && args[0] == QLatin1String("--regserver")) {
        serverSwitch = TApplicationShell::TServerSwitch::Register;
        args.clear();
    } else if (args.size() == 1 && args[0] == QLatin1String("--unregserver")) {
        serverSwitch = TApplicationShell::TServerSwitch::Unregister;
        args.clear();
    }
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (i > 0 || args[i].startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "zentaro: unexpected argument '%s'\n", qPrintable(args[i]));
            printUsage(stderr);
            return 2;
        }
    }

    TApplicationShell shell(app);
    return shell.run(args.value(0), serverSwitch);
}
