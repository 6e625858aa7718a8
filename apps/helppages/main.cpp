// zentaro-helppages DIRECTORY: writes the help pages of the standard words into DIRECTORY. The
// build runs it; the help window shows the pages.

#include "editing/HelpPages.h"
#include "host/console/ConsoleHost.h"

#include <QString>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zentaro-helppages DIRECTORY\n";
        return 2;
    }
    vex::host::TConsoleHost host(std::cout, std::cerr);
    vex::host::TConsoleInterpreter context(host);
    QString error;
    if (!WriteHelpPages(context, QString::fromLocal8Bit(argv[1]), error)) {
        std::cerr << "zentaro-helppages: " << error.toLocal8Bit().constData() << '\n';
        return 1;
    }
    return 0;
}
