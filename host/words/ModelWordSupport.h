// What the model words (host/words/Model*Words.cpp, numbers 600 to 899 and 1500 to 1667) share
// on top of WordSupport.h: the model services of the context, references and atoms given as
// arguments, handler kinds and names, and the numbers of the model words that other parts of the
// host refer to.
//
// Their arguments convert as those of every word (WordSupport.h): a text that reads as a number is
// that number where a number is needed, any other text an error naming the word and argument,
// and a number given for a text is its number in the number format. Only a model value (a label,
// an attribute, a stored entry) keeps both halves of what it is given.
//
// Their errors are those of every word: ArgumentError for an argument that is wrong by itself
// (an integer outside its range, an empty name, no handler kind), WordError for an argument
// that names something the model does not have (a child, an attribute, a stored entry, an atom
// of the file being read); the model itself reports stale references naming the word.

#pragma once

#include "host/model/ModelServices.h"
#include "host/words/WordSupport.h"

#include "runtime/VexWords.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vex::host {

// Numbers of the model words other parts of the host refer to.
enum TModelWordNumber : int {
    mwCurrentAtom = 600,
    mwLabel = 605,
    mwNamedAtt = 648,
    mwGuiInstance = 869,
    mwGuiStore = 870,
};

inline TModelServices& Services(TLanguageInterpreter& context) {
    return ModelServicesOf(context);
}

inline TModel& ModelOf(TLanguageInterpreter& context) {
    return ModelServicesOf(context).Model;
}

// The name of the word a node calls, for the model's own errors.
inline std::string WordOf(const TLanguageInterpreter& context, const TCallNode& node) {
    return context.WordName(node.WordNumber);
}
// The word a node calls as the model's operations name it in their errors: looked up only when
// one is raised.
inline TErrorWord ErrorWordOf(const TLanguageInterpreter& context, const TCallNode& node) noexcept {
    return TErrorWord(context, node.WordNumber);
}

// Argument i as a text, a text constant's in place (see QuickText); any other argument is
// converted (TextArg) into `keep`, which must outlive the view.
inline std::string_view TextView(TLanguageInterpreter& context, TCallNode& node, int i,
                                 TText& keep) {
    std::string_view text;
    if (QuickText(context, *node.Arg(i), text)) {
        return text;
    }
    keep = TextArg(context, node, i);
    return keep.view();
}

// Argument i as a model value: both halves.
inline TModelValue ModelValueArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    TModelValue value;
    value.Number = EvaluateArg(context, node, i, value.Text);
    return value;
}

// Gives a model value as a word's result.
inline double GiveValue(const TModelValue& value, TText& text) {
    text = value.Text;
    return value.Number;
}

// A reference: a whole number in the 32-bit range; anything else gives -1, which no object has,
// so that it meets the model's error for a stale reference (or AtomExists answers 0).
inline std::int32_t ReferenceOf(double value) noexcept {
    if (!(value >= std::numeric_limits<std::int32_t>::min() &&
          value <= std::numeric_limits<std::int32_t>::max()) ||
        value != static_cast<double>(static_cast<std::int32_t>(value))) {
        return -1;
    }
    return static_cast<std::int32_t>(value);
}

// True for a call of `c`, the atom whose handler code runs: reading it has no effect, so the
// words read it from the register in place outside a debug run, as they read number constants.
inline bool IsCurrentAtomCall(const TCodeNode& node) noexcept {
    return node.IsCall() && node.WordNumber == mwCurrentAtom && node.ArgCount == 0;
}
inline std::int32_t ReferenceArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    if (IsCurrentAtomCall(*node.Arg(i)) && !IsDebugRun(context)) {
        return context.Host().Registers().First;
    }
    return ReferenceOf(NumberArg(context, node, i));
}

// The living atom argument i refers to; the model's error naming the word for any other value.
inline TAtom& AtomArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    const std::int32_t handle = ReferenceArg(context, node, i);
    const TModel& model = ModelOf(context);
    if (TAtom* atom = model.FindAtom(handle)) [[likely]] {
        return *atom;
    }
    return model.AtomOf(handle, ErrorWordOf(context, node));
}

// ModelIntegerArg's check that a number is whole (WholeArgument) and in range, for numbers that
// are no whole number in range.
std::int32_t RoundedModelInteger(const TLanguageInterpreter& context, const TCallNode& node, int i,
                                 double number, std::int32_t low, std::int32_t high);

// A count, position, code or priority: a whole number; a fraction or a number outside
// [low, high] is the error IntegerArg gives.
inline std::int32_t ModelIntegerArg(TLanguageInterpreter& context, TCallNode& node, int i,
                                    std::int32_t low, std::int32_t high) {
    const double number = NumberArg(context, node, i);
    // Whole numbers in range, the usual arguments, need no rounding.
    if (number >= low && number <= high &&
        number == static_cast<double>(static_cast<std::int32_t>(number))) [[likely]] {
        return static_cast<std::int32_t>(number);
    }
    return RoundedModelInteger(context, node, i, number, low, high);
}

// A handler kind: a name (OnEvent ... OnInit, ASCII case ignored) or a whole number from 1 to 15.
int KindArg(TLanguageInterpreter& context, TCallNode& node, int i);

// The name an argument gave: its text, which must not be empty.
std::string_view NameOf(const TLanguageInterpreter& context, const TCallNode& node, int i,
                        const TValue& value);
inline std::string NameArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    const TValue value = ValueArg(context, node, i);
    return std::string(NameOf(context, node, i, value));
}
// NameArg as a view: a text constant that is not empty in place, any other argument through
// NameArg into `keep`, which must outlive the view.
inline std::string_view NameView(TLanguageInterpreter& context, TCallNode& node, int i,
                                 std::string& keep) {
    std::string_view name;
    if (QuickText(context, *node.Arg(i), name) && !name.empty()) {
        return name;
    }
    keep = NameArg(context, node, i);
    return keep;
}

} // namespace vex::host
