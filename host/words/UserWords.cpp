// User-defined words and evaluation of texts at run time.
//
// DefineWord takes two forms:
//   DefineWord(name, body, min, max{, help{, example}})                       4 to 6 arguments
//   DefineWord(name, body, help, example, min, max, category{, creator{, listed}})  7 to 9
// A definition whose name is written as a text constant, with its argument counts written as
// numbers, registers the name while the text is compiled, so the body may call the word itself
// (recursion) and calls later in the same text compile; a definition that fails takes such a
// name back, and calling it before its definition has run is an error. Inside the body, Arg(i)
// evaluates argument i of the call where the call was written (in the caller's locals), and
// ArgCount is the number of arguments given.

#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <algorithm>

namespace vex::host {

namespace {

std::uint8_t CountArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    return static_cast<std::uint8_t>(IntegerArg(c, n, i, 0, 255));
}

// A word the parser registered early for a definition (TSyntax::Provisional) that then failed
// is taken back, so that no word without a body is left; a word defined before keeps its body.
void ForgetUndefinedWord(TLanguageInterpreter& c, std::string_view name) {
    const int index = c.WordIndexOf(name);
    const TSyntax* syntax = index >= kBuiltInWordCount ? c.WordSyntaxOf(index + 1) : nullptr;
    if (syntax && syntax->Provisional) {
        c.RemoveUserWord(name);
    }
}

int Define(int count, TCallNode& n, TLanguageInterpreter& c, const TText& name) {
    const bool longForm = count >= 7;
    TWordAttributes attributes;
    attributes.CodeText = TextArg(c, n, 2);
    std::string category = "Various";
    if (longForm) {
        attributes.HelpText = TextArg(c, n, 3).str();
        attributes.Example = TextArg(c, n, 4).str();
        attributes.MinArgs = CountArg(c, n, 5);
        attributes.MaxArgs = CountArg(c, n, 6);
        category = TextArg(c, n, 7).str();
        if (count >= 8) {
            attributes.Creator = TextArg(c, n, 8).str();
        }
        attributes.Listed = count >= 9 ? TruthArg(c, n, 9) : 1;
    } else {
        attributes.MinArgs = CountArg(c, n, 3);
        attributes.MaxArgs = CountArg(c, n, 4);
        if (count >= 5) {
            attributes.HelpText = TextArg(c, n, 5).str();
        }
        if (count >= 6) {
            attributes.Example = TextArg(c, n, 6).str();
        }
    }
    if (attributes.MinArgs > attributes.MaxArgs) {
        WordError(c, n, "the fewest arguments exceed the most");
    }
    // A body written as a text constant names the places in the file of its errors.
    const std::unique_ptr<TSourceOrigin> origin = ConstantArgOrigin(c, n, 2);
    const TSourceOriginScope originScope(c, origin ? *origin : TSourceOrigin::None());
    return c.RegisterUserWord(name.view(), category, attributes);
}

double DefineWord(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText name = TextArg(c, n, 1);
    int result = rrBodyFailed;
    try {
        result = Define(count, n, c, name);
    } catch (...) {
        ForgetUndefinedWord(c, name.view());
        throw;
    }
    if (result <= 0) {
        ForgetUndefinedWord(c, name.view());
    }
    return result;
}

double Arg(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const auto i = static_cast<int>(IntegerArg(c, n, 1, 1, 255));
    // The caller's numbers, and arithmetic on them (Fib(n-1)), are read in the caller's frame at
    // once, without switching to the caller's activation; a debug run takes them through their
    // nodes.
    double number;
    if (ReadQuickCallerArgument(c, i, number)) {
        return number;
    }
    return EvaluateUserWordArgument(c, i, text);
}

double ArgCount(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return UserWordArgumentCount(c);
}

// The text is compiled and run on its own: it sees the globals and every word, not the locals of
// the code that runs it. Its errors are reported like those of any text and give 0.
double Eval(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText source = TextArg(c, n, 1);
    return c.ExecuteText(source.view(), text);
}

// 1 for a word that can be called: built-in and listed, or user-defined with a body (or one
// whose definition has run, for an empty body).
double IsWord(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const int index = c.LookupWord(TextArg(c, n, 1).view());
    if (index < 0) {
        return 0;
    }
    const TSyntax* syntax = c.WordSyntaxOf(index + 1);
    if (index >= kBuiltInWordCount) {
        return syntax && !syntax->Provisional ? 1 : 0;
    }
    return syntax && syntax->Listed ? 1 : 0;
}

double ForgetWord(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return c.RemoveUserWord(TextArg(c, n, 1).view()) ? 1 : 0;
}

// clang-format off
const TWordRow kRows[] = {
    {wnDefineWord, "DefineWord", "Words", DefineWord, 4, 9,   "Registers a user-defined word: name, body text, fewest and most arguments, help and example; or name, body, help, example, fewest and most arguments, category, creator and listed flag. Gives 1 when the word is new, 2 when it replaces an earlier body, 0 or less when it failed.", "DefineWord([Twice],[Arg(1)*2],1,1,[Twice a number.])"},
    {kArgWordNumber, "Arg", "Words", Arg,        1, 1,   "Argument i (from 1) of the call of the running user-defined word, evaluated where the call was written; 0 when the call has fewer arguments.", "Arg(1)"},
    {221, "ArgCount",   "Words", ArgCount,   0, 0,   "Number of arguments of the call of the running user-defined word (0 outside one).", "ArgCount"},
    {222, "Eval",       "Words", Eval,       1, 1,   "Compiles and runs a text and gives its value; the text sees the globals and all words, not the caller's locals.", "Eval([1+2])"},
    {223, "IsWord",     "Words", IsWord,     1, 1,   "1 when a word of that name can be called, else 0.", "IsWord([Square])"},
    {224, "ForgetWord", "Words", ForgetWord, 1, 1,   "Makes a user-defined word unknown to texts compiled from now on (code compiled earlier keeps calling it); defining the name again takes over its number. Gives 1 when a word was removed.", "ForgetWord([Square])"},
};
// clang-format on

} // namespace

std::span<const TWordRow> UserWordRows() {
    return kRows;
}

} // namespace vex::host
