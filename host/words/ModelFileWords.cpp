// Model words: running script files, and the words a model file consists of (docs/model.md
// describes the format). Atoms are numbered in a file in tree order, 0 being the atom the file
// is read into; the numbers refer to the atoms read so far.

#include "host/ScriptSession.h"
#include "host/model/ModelFile.h"
#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace vex::host {

namespace {

double ExecFile(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    return TScriptSession(c).ExecuteFile(TextArg(c, n, 1).str(), text);
}

// The atom with a number of the file being read.
std::int32_t FileAtomAt(TLanguageInterpreter& c, const TCallNode& n, std::int32_t index) {
    const std::vector<std::int32_t>& atoms = Services(c).FileAtoms;
    if (atoms.empty()) {
        WordError(c, n, "no model file is being read (ModelFile must come first)");
    }
    if (static_cast<std::size_t>(index) >= atoms.size()) {
        WordError(c, n, "the file has no atom " + std::to_string(index) + " yet");
    }
    return atoms[static_cast<std::size_t>(index)];
}

std::int32_t FileAtom(TLanguageInterpreter& c, TCallNode& n, int i) {
    return FileAtomAt(c, n, ModelIntegerArg(c, n, i, 0, INT32_MAX));
}

TAtom& FileAtomArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    return ModelOf(c).AtomOf(FileAtom(c, n, i), WordOf(c, n));
}

// The head of a model file: the atoms that follow go into the model, or into the library after
// the word Library; only a file read into the model sets its name and clock.
double ModelFile(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModelServices& services = Services(c);
    if (ModelIntegerArg(c, n, 1, INT32_MIN, INT32_MAX) != 1) {
        ArgumentError(c, n, 1, "the model file has a format this version does not read");
    }
    TModel& model = services.Model;
    const std::int32_t target = services.LoadIntoLibrary ? model.Library() : model.Root();
    services.FileAtoms = {target};
    if (target == model.Root()) {
        model.FindAtom(target)->SetName(TextArg(c, n, 2).str());
        model.RestoreClock(NumberArg(c, n, 3));
        services.RefreshTree();
    }
    return target;
}

double LoadAtom(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModelServices& services = Services(c);
    const std::int32_t index = ModelIntegerArg(c, n, 1, 0, INT32_MAX);
    const std::int32_t mother = FileAtom(c, n, 2);
    if (static_cast<std::size_t>(index) != services.FileAtoms.size()) {
        WordError(c, n, "atom " + std::to_string(index) + " is out of order in the file");
    }
    const double id = NumberArg(c, n, 4);
    const auto wanted = id >= 1 && id <= 4294967295.0 ? static_cast<std::uint32_t>(id) : 0u;
    const std::int32_t handle = services.Model.CreateAtom(mother, TextArg(c, n, 3).str(), wanted);
    services.FileAtoms.push_back(handle);
    services.RefreshTree();
    return handle;
}

// The text half of a value in a file: an empty text there stands for a value that is a number
// (files written before empty texts kept their kind name no other), so it loads as no text.
TText FileTextHalf(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText text = TextArg(c, n, i);
    return text.empty() ? TText() : text;
}

double LoadAtt(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    atom.SetAttribute(name, {NumberArg(c, n, 3), FileTextHalf(c, n, 4)});
    return 0;
}

double LoadLabel(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    atom.Labels().Set(name, {NumberArg(c, n, 3), FileTextHalf(c, n, 4)});
    return 0;
}

// Sets a handler text without compiling it: the words it calls may come with a later file.
double LoadHandler(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const int kind = KindArg(c, n, 2);
    ModelOf(c).SetHandler(atom, kind, TextArg(c, n, 3).str());
    return 0;
}

// The atom and the involved atom are numbers of the file; a negative number is none.
double LoadEvent(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const auto optionalAtom = [&](int i) {
        const std::int32_t index = ModelIntegerArg(c, n, i, INT32_MIN, INT32_MAX);
        return index < 0 ? 0 : FileAtomAt(c, n, index);
    };
    const double time = NumberArg(c, n, 1);
    const std::int32_t code = ModelIntegerArg(c, n, 2, INT32_MIN, INT32_MAX);
    const std::int32_t priority = ModelIntegerArg(c, n, 3, INT32_MIN, INT32_MAX);
    const std::int32_t atom = optionalAtom(4);
    const std::int32_t involved = optionalAtom(5);
    ModelOf(c).ScheduleEvent(time, code, priority, atom, involved, WordOf(c, n));
    return 0;
}

double FileText(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    text = DecodeFileText(TextArg(c, n, 1).view());
    return 0;
}

double FileNumber(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText name = TextArg(c, n, 1);
    if (name.view() == "inf") {
        return std::numeric_limits<double>::infinity();
    }
    if (name.view() == "-inf") {
        return -std::numeric_limits<double>::infinity();
    }
    if (name.view() == "nan") {
        return std::numeric_limits<double>::quiet_NaN();
    }
    ArgumentError(c, n, 1, Quoted(name.view()) + " is not inf, -inf or nan");
}

constexpr const char* kModelFiles = "Model Files";
constexpr const char* kVarious = "Various";

// clang-format off
const TWordRow kRows[] = {
    {634, "ModelFile", kModelFiles, ModelFile, 3, 3, "Model files: starts reading a model file (format, model name, clock).", "ModelFile(1,[bank],0)"},
    {635, "LoadAtom", kModelFiles, LoadAtom, 4, 4, "Model files: creates atom number k of the file below atom number m, with a name and an ID.", "LoadAtom(1,0,[Queue],4)"},
    {636, "LoadAtt", kModelFiles, LoadAtt, 4, 4, "Model files: a named attribute of atom number k (name, number, text).", "LoadAtt(0,[capacity],10,[])"},
    {637, "LoadLabel", kModelFiles, LoadLabel, 4, 4, "Model files: a label of atom number k (name, number, text).", "LoadLabel(0,[served],0,[])"},
    {638, "LoadHandler", kModelFiles, LoadHandler, 3, 3, "Model files: a handler text of atom number k, compiled when it first runs.", "LoadHandler(0,[OnReset],[c.served := 0])"},
    {639, "LoadEvent", kModelFiles, LoadEvent, 5, 5, "Model files: a pending event (time, code, priority, atom number, involved atom number; -1 for none).", "LoadEvent(5,0,0,0,-1)"},
    {640, "FileText", kModelFiles, FileText, 1, 1, "A text with %XX escapes decoded (model files write texts with line breaks or unbalanced brackets so).", "FileText([a%0Ab])"},
    {641, "FileNumber", kModelFiles, FileNumber, 1, 1, "The number inf, -inf or nan (as model files write them).", "FileNumber([inf])"},
    {1505, "ExecFile", kVarious, ExecFile, 1, 1, "Runs a script file, such as a model file, statement by statement (a line break outside parentheses, texts and comments ends a statement) and gives the last result.", "ExecFile([bank.vex])"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelFileWordRows() {
    return kRows;
}

} // namespace vex::host
