// vexscript: runs VexScript files and texts in the console.

#include "host/ConsoleRunner.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return vex::host::RunConsole(arguments, std::cout, std::cerr);
}
