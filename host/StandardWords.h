#pragma once

#include "runtime/LanguageInterpreter.h"

#include <ostream>

namespace vex::host {

// Fills the registry with the standard words, numbers 1 to 1667 in order, and their categories.
// Numbers without a word yet are registered as unlisted "Reserved<number>" words that raise an
// error when called.
void RegisterStandardWords(TLanguageInterpreter& context);

// Where Print writes (standard output unless set).
void SetScriptOutput(std::ostream& output);

} // namespace vex::host
