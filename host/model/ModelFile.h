#pragma once

#include "runtime/VexScript.h"

#include <string>
#include <string_view>
#include <vector>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

class TModel;

// Model files are VexScript. A saved model is a script of one statement per line that
// recreates the atoms below "model" (names, IDs, labels, named attributes, handler texts, in
// tree order), the model's own name, labels, attributes and handlers, the clock and the pending
// events of the model's atoms:
//
//   { Zentaro model file }
//   ModelFile(1,[bank],12.5)
//   LoadAtom(1,0,[Queue],4)
//   LoadAtt(1,[capacity],10,[])
//   LoadLabel(1,[served],3,[])
//   LoadHandler(1,[OnEvent],FileText([Do(%0A  c.served := c.served + 1)]))
//   LoadEvent(15,0,0,1,0)
//
// Atoms are numbered in the file (0 is the atom the file is read into); texts that would not
// survive as a constant (control characters, unbalanced brackets) are written with FileText and
// %XX escapes, numbers in their shortest exact form. References stored as numbers in labels are
// written as they are; events of atoms outside the model are not written.

// The text of a model file for the model as it is.
std::string ModelFileText(const TModel& model);

// File names are script texts (Windows-1252); both functions hand them to the system in UTF-8.
//
// Writes the model file atomically: the text goes to a temporary file in the same directory,
// which then replaces `path`, so a failure at any point leaves the old file as it was. Raises
// EVexError naming `word` when the file cannot be written.
void SaveModelFile(const TModel& model, const std::string& path, std::string_view word);

// A parenthesis, text constant or comment that a statement opens and never closes: its opening
// character and where it stands in the script (line and column from 1, columns counting bytes).
struct TUnclosedOpening {
    char Opening = 0;
    int Line = 0;
    int Column = 0;
    // The line the next statement starts on, when one was found after it (see ScriptStatements);
    // 0 when the statement runs to the end of the script.
    int NextLine = 0;
};

// A top-level statement of a script, as written, with the line it starts on (from 1).
struct TStatement {
    std::string Text;
    int Line = 1;
    // Set (Opening not 0) when the statement is broken: something it opens is never closed.
    TUnclosedOpening Unclosed;

    bool IsBroken() const noexcept { return Unclosed.Opening != 0; }
    // The error of a broken statement as a person reads it: "'(' opened at line 3, column 7 is
    // never closed", and where the reading goes on.
    std::string UnclosedMessage() const;
};

// Cuts a script into its top-level statements: a line break ends a statement when it is outside
// parentheses, text constants and comments. Statements keep their text as written. This is the
// statement rule of script files; TScriptSession (host/ScriptSession.h) runs and checks scripts
// by it.
//
// Something left open at the end of the script would otherwise take all that follows it into one
// statement. So when the script ends inside a statement, that statement is broken: it ends before
// the first line after the unclosed opening that starts with a letter in its first column (a
// line that begins a new statement, as every top-level statement of a tidy script does), or at
// the end of the script without one, and it carries the unclosed opening; the reading goes on
// with that line by the same rule. A script whose statements all close is cut as before.
std::vector<TStatement> ScriptStatements(std::string_view script);
// The texts of ScriptStatements.
std::vector<std::string> SplitStatements(std::string_view script);
// True when a line break after `script` would not end its last statement: the script ends
// inside parentheses, a text constant or a comment.
bool EndsInsideStatement(std::string_view script);

// A text as a VexScript constant that reads back as exactly the same bytes: "[text]", or
// "FileText([...])" with %XX escapes when brackets or control characters require them.
std::string TextConstant(std::string_view text);
// The bytes of FileText's argument: each %XX (two hex digits) becomes its byte.
std::string DecodeFileText(std::string_view escaped);
// A number as a VexScript constant that reads back as exactly the same double.
std::string NumberConstant(double value);

} // namespace vex::host
