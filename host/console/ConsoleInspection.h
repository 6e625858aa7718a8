#pragma once

#include "host/console/ConsoleHost.h"
#include "host/console/ConsoleOptions.h"

#include <ostream>

namespace vex::host {

// The inspection options of `vexscript`, which show what the runtime makes of a text or what it
// holds instead of running scripts: --prepare (the text without whitespace and comments), --tree
// (the code tree), --listing (the code listing with each node's position), --words (every word
// of the registry, tab-separated) and --word-reference (the word reference in Markdown).
//
// Runs the inspection `options` name (not None) in a fresh context with the standard words; the
// output goes to `out`, error messages to `err`. Returns 0, or 1 when compiling the inspected
// text reported an error.
int RunInspection(const TConsoleOptions& options, const TLanguageTexts& languageTexts,
                  std::ostream& out, std::ostream& err);

} // namespace vex::host
