#pragma once

#include "runtime/VexScript.h"

namespace vex::host {

// Fills the registry with the built-in words, numbers 1 to 1667 in order, and their categories:
// the standard library (host/words/) and the words of the simulation model, merged by number.
// Numbers no word uses are reserved: they are registered as unlisted words "Reserved<number>"
// (no completion, colouring or word overview) that raise an error when called.
//
// The words that write messages or draw random numbers reach the application through the
// context's host when it is a TWordHost (host/WordHost.h).
void RegisterStandardWords(TLanguageInterpreter& context);

// Number of built-in word numbers that carry a real word (the rest are reserved).
int RealWordCount();

} // namespace vex::host
