#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// The console runner: parses the command line, runs each script file and each -e text through
// ExecuteText and writes what they computed. Returns the process exit code: 0 when everything
// ran without an error, 1 when a script reported an error, 2 for a usage error or a file that
// cannot be read.
int RunConsole(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace vex::host
