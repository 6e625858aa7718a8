#pragma once

#include <ostream>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

// Writes the reference of the listed words of a registry in Markdown: per category (in the order
// of the category list), a table of the words in number order with their syntax line, help text
// and example. docs/words.md is this output for the standard words
// (`vexscript --word-reference`); a test keeps it current.
void WriteWordReference(const TLanguageInterpreter& context, std::ostream& out);

} // namespace vex::host
