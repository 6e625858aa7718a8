#pragma once

#include "runtime/VexScript.h"

namespace vex {
class TLanguageInterpreter;
struct TCallNode;
} // namespace vex

namespace vex::host {

// Assignment to model values, for the words that assign (":=" and its relatives).
//
// A target call that denotes a model value is assigned here and the result is true:
//   label([name],owner)            a label of an atom (created when it is new); c.name and
//                                  main.name compile to this
//   NamedAtt(n,atom)               the named attribute at position n; a bare attribute name in
//                                  an atom's code compiles to NamedAtt(n,c)
//   GUIInstance(ref,GUIStore(n))   the stored entry n of a GUI instance; a bare stored-entry name
//                                  in code compiled for the instance compiles to this
// The target's own arguments are evaluated here (after the value, which the caller has
// evaluated). For any other call nothing is evaluated and the result is false, so that the
// caller reports the target as not assignable. A stale reference, an empty label name or a
// position out of range raises EVexError naming the word.
bool AssignToCall(TLanguageInterpreter& context, TCallNode& target, double number,
                  const TText& text);

} // namespace vex::host
