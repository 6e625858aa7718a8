#pragma once

#include <ostream>

namespace vex {
class TLanguageInterpreter;
struct TCodeNode;
} // namespace vex

namespace vex::host {

// Writes a code tree one node per line, indented two spaces per level: a call as
// "NAME #NUMBER (ARGCOUNT)" followed by its arguments, a number in the number format, a text
// constant in square brackets, a variable as "$NAME global" or "$NAME local".
void WriteCodeTree(const TLanguageInterpreter& context, const TCodeNode& root, std::ostream& out);

} // namespace vex::host
