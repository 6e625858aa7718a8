// Model words: what an atom carries. Labels (label, or c.name), named attributes (bare names in
// the atom's code compile to NamedAtt(n,c)), its name and ID, and its handler texts.
// Assigning to label and NamedAtt with := goes through host/model/Assignable.h.

#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <utility>

namespace vex::host {

namespace {

double Label(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TText keep;
    const std::string_view name = TextView(c, n, 1, keep);
    const TAtom& owner = AtomArg(c, n, 2);
    const TModelValue* value = owner.Labels().At(owner.Labels().Find(name));
    return value ? GiveValue(*value, text) : 0;
}

double SetLabel(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TAtom& atom = AtomArg(c, n, 1);
    std::string keep;
    const std::string_view name = NameView(c, n, 2, keep);
    const TModelValue value = ModelValueArg(c, n, 3);
    atom.Labels().Set(name, value);
    return GiveValue(value, text);
}

double LabelCount(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return std::as_const(AtomArg(c, n, 1)).Labels().Count();
}

double NamedAtt(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const std::int32_t position = ModelIntegerArg(c, n, 1, 1, INT32_MAX);
    TAtom& atom = AtomArg(c, n, 2);
    const TModelValue* value = atom.AttributeAt(position);
    if (!value) {
        WordError(c, n,
                  "the atom \"" + atom.AtomName() + "\" has no named attribute " +
                      std::to_string(position));
    }
    return GiveValue(*value, text);
}

double SetAtt(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    const TModelValue value = ModelValueArg(c, n, 3);
    atom.SetAttribute(name, value);
    return GiveValue(value, text);
}

double Att(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const TText name = TextArg(c, n, 2);
    const TModelValue* value = atom.AttributeAt(atom.Attributes().Find(name.view()));
    if (!value) {
        WordError(c, n,
                  "the atom \"" + atom.AtomName() + "\" has no named attribute \"" + name.str() +
                      "\"");
    }
    return GiveValue(*value, text);
}

double Name(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    text = AtomArg(c, n, 1).AtomName();
    return 0;
}

double SetName(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TAtom& atom = AtomArg(c, n, 1);
    atom.SetName(TextArg(c, n, 2).str());
    Services(c).RefreshTree();
    return atom.Handle();
}

double AtomId(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return AtomArg(c, n, 1).AtomId();
}

// Sets a handler text and compiles it at once, so that mistakes show now; gives 1 when it
// compiled (or was emptied), 0 when not.
double SetHandler(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const int kind = KindArg(c, n, 2);
    TModel& model = ModelOf(c);
    model.SetHandler(atom, kind, TextArg(c, n, 3).str());
    // A handler written as a text constant names the places in the file of its errors.
    const std::unique_ptr<TSourceOrigin> origin = ConstantArgOrigin(c, n, 3);
    const TSourceOriginScope originScope(c, origin ? *origin : TSourceOrigin::None());
    return std::as_const(atom).Handler(kind).Text.empty() || model.CompileHandler(c, atom, kind)
               ? 1
               : 0;
}

double Handler(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TAtom& atom = AtomArg(c, n, 1);
    text = atom.Handler(KindArg(c, n, 2)).Text;
    return 0;
}

double RunHandler(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const std::int32_t atom = AtomArg(c, n, 1).Handle();
    const int kind = KindArg(c, n, 2);
    const std::int32_t involved = count >= 3 ? ReferenceArg(c, n, 3) : 0;
    return ModelOf(c).RunHandler(c, atom, kind, involved, text);
}

constexpr const char* kParameters = "Atom Parameters";

// clang-format off
const TWordRow kRows[] = {
    {605, "label", kParameters, Label, 2, 2, "The value of a label of an atom (0 and an empty text when it has none); c.name is short for label([name],c). Assign with :=.", "label([served],c)"},
    {609, "Name", kParameters, Name, 1, 1, "The name of an atom.", "Name(c)"},
    {610, "SetName", kParameters, SetName, 2, 2, "Renames an atom.", "SetName(c,[Teller])"},
    {611, "AtomId", kParameters, AtomId, 1, 1, "The ID of an atom: a number that stays with it, also in the model file.", "AtomId(c)"},
    {618, "SetLabel", kParameters, SetLabel, 3, 3, "Sets a label of an atom (number and text) and gives the value.", "SetLabel(c,[served],0)"},
    {619, "LabelCount", kParameters, LabelCount, 1, 1, "The number of labels of an atom.", "LabelCount(c)"},
    {620, "SetAtt", kParameters, SetAtt, 3, 3, "Sets a named attribute of an atom; bare names in the atom's handler code denote its named attributes.", "SetAtt(c,[capacity],10)"},
    {621, "Att", kParameters, Att, 2, 2, "The value of a named attribute of an atom by name.", "Att(c,[capacity])"},
    {622, "SetHandler", kParameters, SetHandler, 3, 3, "Sets the handler code of a kind (OnEvent ... OnInit, or 1 to 15) of an atom and compiles it; 1 when it compiles.", "SetHandler(c,[OnEvent],[Print(EventCode)])"},
    {623, "Handler", kParameters, Handler, 2, 2, "The handler code of a kind of an atom, as text.", "Handler(c,[OnReset])"},
    {624, "RunHandler", kParameters, RunHandler, 2, 3, "Runs the handler of a kind of an atom with an optional involved atom and gives its result.", "RunHandler(i,[OnEntry],c)"},
    {wnNamedAtt, "NamedAtt", kParameters, NamedAtt, 2, 2, "The named attribute at a position (from 1) of an atom; bare attribute names in an atom's code compile to NamedAtt(n,c). Assign with :=.", "NamedAtt(1,c)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelValueWordRows() {
    return kRows;
}

} // namespace vex::host
