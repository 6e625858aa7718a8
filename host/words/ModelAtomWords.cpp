// Model words: the registers (c, i, a) and the fixed atoms; creating, finding, moving and
// destroying atoms. The words that change the tree ask the tree view to show it again.

#include "host/model/HandlerKinds.h"
#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <utility>

namespace vex::host {

namespace {

double CurrentAtom(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return c.Host().Registers().First;
}
double InvolvedAtom(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return c.Host().Registers().Second;
}
double ActiveAtom(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return c.Host().Registers().Third;
}
double MainAtom(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return ModelOf(c).Main();
}
double ModelAtom(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return ModelOf(c).Root();
}

// Gives the new atom a copy of the prototype's labels, attributes and handler texts.
void CopyContents(TModel& model, const TAtom& prototype, TAtom& atom) {
    if (prototype.Labels().Count() > 0) {
        atom.Labels() = prototype.Labels();
    }
    for (const TNamedValue& attribute : prototype.Attributes().Items) {
        atom.SetAttribute(attribute.Name, attribute.Value);
    }
    for (int kind = 1; kind <= kHandlerKindCount; ++kind) {
        model.SetHandler(atom, kind, prototype.Handler(kind).Text);
    }
}

double RunKind(TLanguageInterpreter& c, std::int32_t atom, THandlerKind kind,
               std::int32_t involved) {
    TModel& model = ModelOf(c);
    if (!model.HasHandler(atom, static_cast<int>(kind))) {
        return 0;
    }
    TText ignored;
    return model.RunHandler(c, atom, static_cast<int>(kind), involved, ignored);
}

double CreateAtom(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const std::int32_t mother = AtomArg(c, n, 1).Handle();
    TText keep;
    std::string name = count >= 2 ? std::string(TextView(c, n, 2, keep)) : std::string();
    const TAtom* prototype = count >= 3 ? &AtomArg(c, n, 3) : nullptr;
    if (name.empty()) {
        name = prototype ? prototype->AtomName() : "atom";
    }
    const std::int32_t handle = model.CreateAtom(mother, std::move(name));
    if (prototype) {
        CopyContents(model, *prototype, *model.FindAtom(handle));
    }
    Services(c).RefreshTree();
    RunKind(c, handle, THandlerKind::OnCreation, 0);
    return handle;
}

double DestroyAtom(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const TAtom& atom = AtomArg(c, n, 1);
    const std::int32_t handle = atom.Handle();
    if (handle == model.Main() || handle == model.Root() || handle == model.Library()) {
        WordError(c, n, "the atom \"" + atom.AtomName() + "\" cannot be destroyed");
    }
    if (atom.Children().empty()) {
        RunKind(c, handle, THandlerKind::OnDestruction, 0);
    } else {
        for (std::int32_t member : model.Subtree(handle)) {
            RunKind(c, member, THandlerKind::OnDestruction, 0);
        }
    }
    // A destruction handler may have destroyed the atom already.
    if (model.FindAtom(handle)) {
        model.DestroyAtom(handle, ErrorWordOf(c, n));
        Services(c).RefreshTree();
    }
    return 0;
}

double AtomExists(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return ModelOf(c).FindAtom(ReferenceArg(c, n, 1)) ? 1 : 0;
}

double Mother(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return AtomArg(c, n, 1).Mother();
}

double ChildCount(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return static_cast<double>(AtomArg(c, n, 1).Children().size());
}

double Child(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TAtom& atom = AtomArg(c, n, 1);
    const std::int32_t position = ModelIntegerArg(c, n, 2, 1, INT32_MAX);
    if (static_cast<std::size_t>(position) > atom.Children().size()) {
        WordError(c, n,
                  "the atom \"" + atom.AtomName() + "\" has no child " + std::to_string(position));
    }
    return atom.Children()[static_cast<std::size_t>(position - 1)];
}

double AtomByName(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const TText name = TextArg(c, n, 1);
    const std::int32_t within = count >= 2 ? AtomArg(c, n, 2).Handle() : model.Main();
    const TAtom* atom = model.AtomByName(name.view(), within);
    return atom ? atom->Handle() : 0;
}

// An ID is looked up like a reference: a number no atom has gives 0.
double AtomById(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double id = NumberArg(c, n, 1);
    const TAtom* atom = id >= 1 && id <= 4294967295.0
                            ? ModelOf(c).AtomById(static_cast<std::uint32_t>(id))
                            : nullptr;
    return atom ? atom->Handle() : 0;
}

// Runs, after the move, OnExit of the old mother and OnExited of the atom, then OnEntry of the
// new mother and OnEntered of the atom; in each the other side is the involved atom.
double MoveAtom(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const std::int32_t atom = AtomArg(c, n, 1).Handle();
    const std::int32_t mother = AtomArg(c, n, 2).Handle();
    const std::int32_t oldMother = model.FindAtom(atom)->Mother();
    model.MoveAtom(atom, mother, ErrorWordOf(c, n));
    Services(c).RefreshTree();
    RunKind(c, oldMother, THandlerKind::OnExit, atom);
    RunKind(c, atom, THandlerKind::OnExited, oldMother);
    RunKind(c, mother, THandlerKind::OnEntry, atom);
    RunKind(c, atom, THandlerKind::OnEntered, mother);
    return atom;
}

constexpr const char* kReference = "Atom Reference";
constexpr const char* kStatus = "Atom Status";

// clang-format off
const TWordRow kRows[] = {
    {600, "c", kReference, CurrentAtom, 0, 0, "The atom whose handler code runs (the first register).", "Name(c)"},
    {601, "i", kReference, InvolvedAtom, 0, 0, "The atom involved in the running handler (the second register): the other side of an entry or exit, an event's involved atom.", "Name(i)"},
    {602, "a", kReference, ActiveAtom, 0, 0, "The active atom (the third register): the atom reference read last from a reference variable.", "Name(a)"},
    {603, "main", kReference, MainAtom, 0, 0, "The root atom, which holds the model and the library.", "main.title := [Bank]"},
    {604, "model", kReference, ModelAtom, 0, 0, "The model's atom: the atoms of the model are its subtree.", "ChildCount(model)"},
    {606, "CreateAtom", kReference, CreateAtom, 1, 3, "Creates an atom as the last child of a mother, optionally as a copy of a prototype's labels, attributes and handlers, runs its OnCreation and gives its reference.", "CreateAtom(model,[Queue])"},
    {607, "DestroyAtom", kReference, DestroyAtom, 1, 1, "Runs OnDestruction of an atom and its subtree, then destroys them with their pending events. References to them become stale.", "DestroyAtom(i)"},
    {608, "AtomExists", kStatus, AtomExists, 1, 1, "1 when the reference is a living atom, 0 when it is none or stale.", "AtomExists(c.customer)"},
    {612, "Mother", kReference, Mother, 1, 1, "The atom that holds an atom (0 for main).", "Mother(c)"},
    {613, "ChildCount", kReference, ChildCount, 1, 1, "The number of atoms an atom holds.", "ChildCount(c)"},
    {614, "Child", kReference, Child, 2, 2, "The child at a position (from 1) of an atom.", "Child(c,1)"},
    {615, "AtomByName", kReference, AtomByName, 1, 2, "The first atom of a name in tree order below an atom (main when not given), or 0.", "AtomByName([Queue],model)"},
    {616, "AtomById", kReference, AtomById, 1, 1, "The atom with an ID, or 0.", "AtomById(4)"},
    {617, "MoveAtom", kReference, MoveAtom, 2, 2, "Moves an atom to the end of another atom's children and runs OnExit, OnExited, OnEntry and OnEntered.", "MoveAtom(i,c)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelAtomWordRows() {
    return kRows;
}

} // namespace vex::host
