#include "host/ModelWords.h"

#include "host/model/ModelFile.h"
#include "host/model/ModelServices.h"

#include "runtime/VexWords.h"

#include <cmath>
#include <filesystem>
#include <limits>

// Sections:
//   [helpers]     arguments, errors, the model of the context
//   [registers]   c, i, a, main, model
//   [atoms]       creating, finding, moving and destroying atoms
//   [values]      labels, named attributes, names, handlers
//   [gui]         GUI instances and their stored entries
//   [events]      events, the clock, running and resetting
//   [files]       model files: saving, reading and the words a model file consists of
//   [automation]  the words the automation object composes
//   [table]       the registration table

namespace vex::host {

namespace {

// [helpers] -----------------------------------------------------------------------------------

using TContext = TLanguageInterpreter;

std::string WordOf(TContext& c, const TCallNode& n) {
    return c.WordName(n.WordNumber);
}

[[noreturn]] void Fail(TContext& c, const TCallNode& n, const std::string& what) {
    throw EVexError(WordOf(c, n) + ": " + what);
}

double Number(TContext& c, TCallNode& n, int i) {
    TText ignored;
    return EvaluateArg(c, n, i, ignored);
}

TText Text(TContext& c, TCallNode& n, int i) {
    TText text;
    EvaluateArg(c, n, i, text);
    return text;
}

TModelValue Value(TContext& c, TCallNode& n, int i) {
    TModelValue value;
    value.Number = EvaluateArg(c, n, i, value.Text);
    return value;
}

double Give(const TModelValue& value, TText& text) {
    text = value.Text;
    return value.Number;
}

// A reference argument; anything that is no 32-bit integer gives -1, which no object has.
std::int32_t Reference(double value) {
    if (!(value >= std::numeric_limits<std::int32_t>::min() &&
          value <= std::numeric_limits<std::int32_t>::max()) ||
        value != std::trunc(value)) {
        return -1;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t ReferenceArg(TContext& c, TCallNode& n, int i) {
    return Reference(Number(c, n, i));
}

int IntegerArg(TContext& c, TCallNode& n, int i) {
    const double value = Number(c, n, i);
    return std::isfinite(value) && std::fabs(value) < 2e9 ? static_cast<int>(std::lround(value))
                                                          : -1;
}

TModelServices& Services(TContext& c) {
    return ModelServicesOf(c);
}

TModel& ModelOf(TContext& c) {
    return Services(c).Model;
}

TAtom& AtomArg(TContext& c, TCallNode& n, int i) {
    return ModelOf(c).AtomOf(ReferenceArg(c, n, i), WordOf(c, n));
}

int KindArg(TContext& c, TCallNode& n, int i) {
    TText name;
    const double number = EvaluateArg(c, n, i, name);
    const bool numbered =
        name.empty() && number >= 1 && number <= kHandlerKindCount && number == std::trunc(number);
    const int kind = numbered ? static_cast<int>(number) : HandlerKindByName(name.view());
    if (kind < 1 || kind > kHandlerKindCount) {
        Fail(c, n,
             "\"" + (name.empty() ? FormatNumber(number) : name.str()) +
                 "\" is no handler kind (OnEvent, OnEntry, ... OnInit or 1 to 15)");
    }
    return kind;
}

std::string NameArg(TContext& c, TCallNode& n, int i) {
    const TText name = Text(c, n, i);
    if (name.empty()) {
        Fail(c, n, "argument " + std::to_string(i) + " must be a name, not an empty text");
    }
    return name.str();
}

// [registers] ---------------------------------------------------------------------------------

double CurrentAtom(int, TCallNode&, TText&, TContext& c) {
    return c.Host().Registers().First;
}
double InvolvedAtom(int, TCallNode&, TText&, TContext& c) {
    return c.Host().Registers().Second;
}
double ActiveAtom(int, TCallNode&, TText&, TContext& c) {
    return c.Host().Registers().Third;
}
double MainAtom(int, TCallNode&, TText&, TContext& c) {
    return ModelOf(c).Main();
}
double ModelAtom(int, TCallNode&, TText&, TContext& c) {
    return ModelOf(c).Root();
}

// [atoms] -------------------------------------------------------------------------------------

// Gives the new atom a copy of the prototype's labels, attributes and handler texts.
void CopyContents(TModel& model, const TAtom& prototype, TAtom& atom) {
    atom.Labels = prototype.Labels;
    for (const TNamedValue& attribute : prototype.Attributes().Items) {
        atom.SetAttribute(attribute.Name, attribute.Value);
    }
    for (int kind = 1; kind <= kHandlerKindCount; ++kind) {
        model.SetHandler(atom, kind, prototype.Handler(kind).Text);
    }
}

double RunKind(TContext& c, std::int32_t atom, THandlerKind kind, std::int32_t involved) {
    TText ignored;
    return ModelOf(c).RunHandler(c, atom, static_cast<int>(kind), involved, ignored);
}

double CreateAtom(int count, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const std::int32_t mother = AtomArg(c, n, 1).Handle();
    std::string name = count >= 2 ? Text(c, n, 2).str() : std::string();
    const TAtom* prototype = count >= 3 ? &AtomArg(c, n, 3) : nullptr;
    if (name.empty()) {
        name = prototype ? prototype->AtomName() : "atom";
    }
    const std::int32_t handle = model.CreateAtom(mother, name);
    if (prototype) {
        CopyContents(model, *prototype, *model.FindAtom(handle));
    }
    Services(c).RefreshTree();
    RunKind(c, handle, THandlerKind::OnCreation, 0);
    return handle;
}

double DestroyAtom(int, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const TAtom& atom = AtomArg(c, n, 1);
    const std::int32_t handle = atom.Handle();
    if (handle == model.Main() || handle == model.Root() || handle == model.Library()) {
        Fail(c, n, "the atom \"" + atom.AtomName() + "\" cannot be destroyed");
    }
    for (std::int32_t member : model.Subtree(handle)) {
        RunKind(c, member, THandlerKind::OnDestruction, 0);
    }
    // A destruction handler may have destroyed the atom already.
    if (model.FindAtom(handle)) {
        model.DestroyAtom(handle, WordOf(c, n));
        Services(c).RefreshTree();
    }
    return 0;
}

double AtomExists(int, TCallNode& n, TText&, TContext& c) {
    return ModelOf(c).FindAtom(ReferenceArg(c, n, 1)) ? 1 : 0;
}

double Mother(int, TCallNode& n, TText&, TContext& c) {
    return AtomArg(c, n, 1).Mother();
}

double ChildCount(int, TCallNode& n, TText&, TContext& c) {
    return static_cast<double>(AtomArg(c, n, 1).Children().size());
}

double Child(int, TCallNode& n, TText&, TContext& c) {
    const TAtom& atom = AtomArg(c, n, 1);
    const int position = IntegerArg(c, n, 2);
    if (position < 1 || position > static_cast<int>(atom.Children().size())) {
        Fail(c, n, "the atom \"" + atom.AtomName() + "\" has no child " + std::to_string(position));
    }
    return atom.Children()[static_cast<std::size_t>(position - 1)];
}

double AtomByName(int count, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const TText name = Text(c, n, 1);
    const std::int32_t within = count >= 2 ? AtomArg(c, n, 2).Handle() : model.Main();
    const TAtom* atom = model.AtomByName(name.view(), within);
    return atom ? atom->Handle() : 0;
}

double AtomById(int, TCallNode& n, TText&, TContext& c) {
    const double id = Number(c, n, 1);
    const TAtom* atom = id >= 1 && id <= 4294967295.0
                            ? ModelOf(c).AtomById(static_cast<std::uint32_t>(id))
                            : nullptr;
    return atom ? atom->Handle() : 0;
}

// Runs, after the move, OnExit of the old mother and OnExited of the atom, then OnEntry of the
// new mother and OnEntered of the atom; in each the other side is the involved atom.
double MoveAtom(int, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const std::int32_t atom = AtomArg(c, n, 1).Handle();
    const std::int32_t mother = AtomArg(c, n, 2).Handle();
    const std::int32_t oldMother = model.FindAtom(atom)->Mother();
    model.MoveAtom(atom, mother, WordOf(c, n));
    Services(c).RefreshTree();
    RunKind(c, oldMother, THandlerKind::OnExit, atom);
    RunKind(c, atom, THandlerKind::OnExited, oldMother);
    RunKind(c, mother, THandlerKind::OnEntry, atom);
    RunKind(c, atom, THandlerKind::OnEntered, mother);
    return atom;
}

// [values] ------------------------------------------------------------------------------------

double Label(int, TCallNode& n, TText& text, TContext& c) {
    const TText name = Text(c, n, 1);
    const TAtom& owner = AtomArg(c, n, 2);
    const TModelValue* value = owner.Labels.At(owner.Labels.Find(name.view()));
    return value ? Give(*value, text) : 0;
}

double SetLabel(int, TCallNode& n, TText& text, TContext& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    const TModelValue value = Value(c, n, 3);
    atom.Labels.Set(name, value);
    return Give(value, text);
}

double LabelCount(int, TCallNode& n, TText&, TContext& c) {
    return AtomArg(c, n, 1).Labels.Count();
}

double NamedAtt(int, TCallNode& n, TText& text, TContext& c) {
    const int position = IntegerArg(c, n, 1);
    TAtom& atom = AtomArg(c, n, 2);
    const TModelValue* value = atom.AttributeAt(position);
    if (!value) {
        Fail(c, n,
             "the atom \"" + atom.AtomName() + "\" has no named attribute " +
                 std::to_string(position));
    }
    return Give(*value, text);
}

double SetAtt(int, TCallNode& n, TText& text, TContext& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    const TModelValue value = Value(c, n, 3);
    atom.SetAttribute(name, value);
    return Give(value, text);
}

double Att(int, TCallNode& n, TText& text, TContext& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const TText name = Text(c, n, 2);
    const TModelValue* value = atom.AttributeAt(atom.Attributes().Find(name.view()));
    if (!value) {
        Fail(c, n,
             "the atom \"" + atom.AtomName() + "\" has no named attribute \"" + name.str() + "\"");
    }
    return Give(*value, text);
}

double Name(int, TCallNode& n, TText& text, TContext& c) {
    text = AtomArg(c, n, 1).AtomName();
    return 0;
}

double SetName(int, TCallNode& n, TText&, TContext& c) {
    TAtom& atom = AtomArg(c, n, 1);
    atom.SetName(Text(c, n, 2).str());
    Services(c).RefreshTree();
    return atom.Handle();
}

double AtomId(int, TCallNode& n, TText&, TContext& c) {
    return AtomArg(c, n, 1).AtomId();
}

// Sets a handler text and compiles it at once, so that mistakes show now; gives 1 when it
// compiled (or was emptied), 0 when not.
double SetHandler(int, TCallNode& n, TText&, TContext& c) {
    TAtom& atom = AtomArg(c, n, 1);
    const int kind = KindArg(c, n, 2);
    TModel& model = ModelOf(c);
    model.SetHandler(atom, kind, Text(c, n, 3).str());
    return atom.Handler(kind).Text.empty() || model.CompileHandler(c, atom, kind) ? 1 : 0;
}

double Handler(int, TCallNode& n, TText& text, TContext& c) {
    const TAtom& atom = AtomArg(c, n, 1);
    text = atom.Handler(KindArg(c, n, 2)).Text;
    return 0;
}

double RunHandler(int count, TCallNode& n, TText& text, TContext& c) {
    const std::int32_t atom = AtomArg(c, n, 1).Handle();
    const int kind = KindArg(c, n, 2);
    const std::int32_t involved = count >= 3 ? ReferenceArg(c, n, 3) : 0;
    return ModelOf(c).RunHandler(c, atom, kind, involved, text);
}

// [gui] ---------------------------------------------------------------------------------------

// Keeps a GUI instance current while code of it runs.
class TInstanceScope {
public:
    TInstanceScope(TModelServices& services, std::int32_t instance)
        : m_stack(services.InstanceStack) {
        m_stack.push_back(instance);
    }
    ~TInstanceScope() { m_stack.pop_back(); }
    TInstanceScope(const TInstanceScope&) = delete;
    TInstanceScope& operator=(const TInstanceScope&) = delete;

private:
    std::vector<std::int32_t>& m_stack;
};

double GuiInstance(int, TCallNode& n, TText& text, TContext& c) {
    TModelServices& services = Services(c);
    const TGuiInstance& instance =
        services.Model.GuiInstanceOf(ReferenceArg(c, n, 1), WordOf(c, n));
    TInstanceScope scope(services, instance.Handle());
    return EvaluateArg(c, n, 2, text);
}

TModelValue& StoredEntry(TContext& c, TCallNode& n, int position) {
    TModelServices& services = Services(c);
    if (services.InstanceStack.empty()) {
        Fail(c, n, "no GUI instance is current (use it inside GUIInstance)");
    }
    TGuiInstance& instance =
        services.Model.GuiInstanceOf(services.InstanceStack.back(), WordOf(c, n));
    if (position < 1 || position > instance.StoredEntryCount()) {
        Fail(c, n,
             "the GUI instance \"" + instance.InstanceName() + "\" has no stored entry " +
                 std::to_string(position));
    }
    return *instance.Entries.At(position);
}

double GuiStore(int, TCallNode& n, TText& text, TContext& c) {
    return Give(StoredEntry(c, n, IntegerArg(c, n, 1)), text);
}

double CreateGuiInstance(int count, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const std::int32_t handle = model.CreateGuiInstance(Text(c, n, 1).str());
    TGuiInstance& instance = model.GuiInstanceOf(handle, WordOf(c, n));
    for (int i = 2; i <= count; ++i) {
        instance.AddStoredEntry(NameArg(c, n, i));
    }
    return handle;
}

double DestroyGuiInstance(int, TCallNode& n, TText&, TContext& c) {
    ModelOf(c).DestroyGuiInstance(ReferenceArg(c, n, 1), WordOf(c, n));
    return 0;
}

// Compiles a text with the GUI instance as the current instance, so that its stored entries
// can be named bare, and runs it.
double GuiExecute(int, TCallNode& n, TText& text, TContext& c) {
    TModelServices& services = Services(c);
    TGuiInstance& instance = services.Model.GuiInstanceOf(ReferenceArg(c, n, 1), WordOf(c, n));
    const std::int32_t handle = instance.Handle();
    const TText source = Text(c, n, 2);
    TCompiledCode* code = c.Compile(source.view(), nullptr, TGuiBinding{nullptr, &instance});
    if (!code) {
        Fail(c, n, "the text does not compile");
    }
    struct TRelease {
        TContext& context;
        TCompiledCode*& code;
        ~TRelease() { context.ReleaseCode(code); }
    } release{c, code};
    TInstanceScope scope(services, handle);
    return c.Evaluate(code, text);
}

// [events] ------------------------------------------------------------------------------------

double CreateEvent(int count, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const double delay = Number(c, n, 1);
    if (!(delay >= 0)) {
        Fail(c, n, "the delay must be a number of 0 or more, not " + FormatNumber(delay));
    }
    const std::int32_t atom = AtomArg(c, n, 2).Handle();
    const int code = count >= 3 ? IntegerArg(c, n, 3) : 0;
    const int priority = count >= 4 ? IntegerArg(c, n, 4) : 0;
    const std::int32_t involved = count >= 5 ? ReferenceArg(c, n, 5) : 0;
    model.ScheduleEvent(model.Clock() + delay, code, priority, atom, involved, WordOf(c, n));
    return model.Clock() + delay;
}

double EventCode(int, TCallNode&, TText&, TContext& c) {
    const TEvent* event = ModelOf(c).CurrentEvent();
    return event ? event->Code : 0;
}

double EventCount(int, TCallNode&, TText&, TContext& c) {
    return static_cast<double>(ModelOf(c).Events().Count());
}

double SimTime(int, TCallNode&, TText&, TContext& c) {
    return ModelOf(c).Clock();
}

double RunModel(int, TCallNode& n, TText&, TContext& c) {
    return static_cast<double>(ModelOf(c).RunUntil(c, Number(c, n, 1), WordOf(c, n)));
}

double StopModel(int, TCallNode&, TText&, TContext& c) {
    ModelOf(c).RequestStop();
    return 0;
}

double ResetModel(int, TCallNode&, TText&, TContext& c) {
    ModelOf(c).Reset(c);
    return 0;
}

// [files] -------------------------------------------------------------------------------------

double ExecFile(int, TCallNode& n, TText& text, TContext& c) {
    TModelServices& services = Services(c);
    const TText path = Text(c, n, 1);
    services.LastReadWasLibrary = services.LoadIntoLibrary;
    struct TLoadEnd {
        TModelServices& services;
        ~TLoadEnd() {
            services.LoadIntoLibrary = false;
            services.FileAtoms.clear();
        }
    } loadEnd{services};
    return ExecuteFile(c, path.str(), text);
}

std::int32_t FileAtom(TContext& c, TCallNode& n, int i) {
    const std::vector<std::int32_t>& atoms = Services(c).FileAtoms;
    if (atoms.empty()) {
        Fail(c, n, "no model file is being read (ModelFile must come first)");
    }
    const int index = IntegerArg(c, n, i);
    if (index < 0 || index >= static_cast<int>(atoms.size())) {
        Fail(c, n, "the file has no atom " + std::to_string(index) + " yet");
    }
    return atoms[static_cast<std::size_t>(index)];
}

TAtom& FileAtomArg(TContext& c, TCallNode& n, int i) {
    return ModelOf(c).AtomOf(FileAtom(c, n, i), WordOf(c, n));
}

// The head of a model file: the atoms that follow go into the model, or into the library after
// the word Library; only a file read into the model sets its name and clock.
double ModelFile(int, TCallNode& n, TText&, TContext& c) {
    TModelServices& services = Services(c);
    if (IntegerArg(c, n, 1) != 1) {
        Fail(c, n, "the model file has a format this version does not read");
    }
    TModel& model = services.Model;
    const std::int32_t target = services.LoadIntoLibrary ? model.Library() : model.Root();
    services.FileAtoms = {target};
    if (target == model.Root()) {
        model.FindAtom(target)->SetName(Text(c, n, 2).str());
        model.RestoreClock(Number(c, n, 3));
        services.RefreshTree();
    }
    return target;
}

double LoadAtom(int, TCallNode& n, TText&, TContext& c) {
    TModelServices& services = Services(c);
    const int index = IntegerArg(c, n, 1);
    const std::int32_t mother = FileAtom(c, n, 2);
    if (index != static_cast<int>(services.FileAtoms.size())) {
        Fail(c, n, "atom " + std::to_string(index) + " is out of order in the file");
    }
    const double id = Number(c, n, 4);
    const auto wanted = id >= 1 && id <= 4294967295.0 ? static_cast<std::uint32_t>(id) : 0u;
    const std::int32_t handle = services.Model.CreateAtom(mother, Text(c, n, 3).str(), wanted);
    services.FileAtoms.push_back(handle);
    services.RefreshTree();
    return handle;
}

double LoadAtt(int, TCallNode& n, TText&, TContext& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    atom.SetAttribute(name, {Number(c, n, 3), Text(c, n, 4)});
    return 0;
}

double LoadLabel(int, TCallNode& n, TText&, TContext& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const std::string name = NameArg(c, n, 2);
    atom.Labels.Set(name, {Number(c, n, 3), Text(c, n, 4)});
    return 0;
}

// Sets a handler text without compiling it: the words it calls may come with a later file.
double LoadHandler(int, TCallNode& n, TText&, TContext& c) {
    TAtom& atom = FileAtomArg(c, n, 1);
    const int kind = KindArg(c, n, 2);
    ModelOf(c).SetHandler(atom, kind, Text(c, n, 3).str());
    return 0;
}

double LoadEvent(int, TCallNode& n, TText&, TContext& c) {
    const auto optionalAtom = [&](int i) {
        return IntegerArg(c, n, i) < 0 ? 0 : FileAtom(c, n, i);
    };
    const double time = Number(c, n, 1);
    const int code = IntegerArg(c, n, 2);
    const int priority = IntegerArg(c, n, 3);
    const std::int32_t atom = optionalAtom(4);
    const std::int32_t involved = optionalAtom(5);
    ModelOf(c).ScheduleEvent(time, code, priority, atom, involved, WordOf(c, n));
    return 0;
}

double FileText(int, TCallNode& n, TText& text, TContext& c) {
    text = DecodeFileText(Text(c, n, 1).view());
    return 0;
}

double FileNumber(int, TCallNode& n, TText&, TContext& c) {
    const TText name = Text(c, n, 1);
    if (name.view() == "inf") {
        return std::numeric_limits<double>::infinity();
    }
    if (name.view() == "-inf") {
        return -std::numeric_limits<double>::infinity();
    }
    if (name.view() == "nan") {
        return std::numeric_limits<double>::quiet_NaN();
    }
    Fail(c, n, "\"" + name.str() + "\" is not inf, -inf or nan");
}

// [automation] --------------------------------------------------------------------------------

double DisplayWatches(int, TCallNode& n, TText&, TContext& c) {
    Services(c).Views.SetWatchesVisible(Number(c, n, 1) != 0);
    return 0;
}

double ModelFunction(int, TCallNode& n, TText&, TContext& c) {
    const TText function = Text(c, n, 1);
    if (SameText(function.view(), "new model")) {
        ModelOf(c).Clear();
        Services(c).RefreshTree();
        return 1;
    }
    Fail(c, n, "\"" + function.str() + "\" is no function of this word (known: new model)");
}

double KernelFunction(int count, TCallNode& n, TText&, TContext& c) {
    TModel& model = ModelOf(c);
    const TText function = Text(c, n, 1);
    if (SameText(function.view(), "save model under same name")) {
        if (model.FileName.empty()) {
            Fail(c, n, "the model has no file name yet (use kernelfnc([save model as],[file]))");
        }
        SaveModelFile(model, model.FileName, WordOf(c, n));
        return 1;
    }
    if (SameText(function.view(), "save model as")) {
        const std::string path = count >= 2 ? Text(c, n, 2).str() : std::string();
        if (path.empty()) {
            Fail(c, n, "a file name is needed to save the model as");
        }
        SaveModelFile(model, path, WordOf(c, n));
        model.FileName = path;
        return 1;
    }
    Fail(c, n,
         "\"" + function.str() +
             "\" is no function of this word (known: save model under same name, save "
             "model as)");
}

double WaitCursor(int, TCallNode&, TText&, TContext& c) {
    Services(c).SetWaitCursor(true);
    return 0;
}

double NormalCursor(int, TCallNode&, TText&, TContext& c) {
    Services(c).SetWaitCursor(false);
    return 0;
}

double ProgressBarForOpen(int count, TCallNode& n, TText&, TContext& c) {
    TProgressDisplay& progress = Services(c).Progress;
    if (Number(c, n, 1) == 0) {
        progress.Hide("t-FileRead");
        return 0;
    }
    const std::string path = count >= 2 ? Text(c, n, 2).str() : std::string();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    progress.Show("t-FileRead", path, error ? 0 : static_cast<std::int64_t>(size));
    return 1;
}

double UpdateModelName(int, TCallNode& n, TText&, TContext& c) {
    TModelServices& services = Services(c);
    TModel& model = services.Model;
    const std::string path = Text(c, n, 1).str();
    if (services.LastReadWasLibrary) {
        services.LastReadWasLibrary = false;
        return 0;
    }
    model.FileName = path;
    const std::string stem = std::filesystem::path(path).stem().string();
    if (!stem.empty()) {
        model.FindAtom(model.Root())->SetName(stem);
        services.RefreshTree();
    }
    return 0;
}

double ModelFileName(int, TCallNode&, TText& text, TContext& c) {
    text = ModelOf(c).FileName;
    return 0;
}

double Library(int, TCallNode&, TText&, TContext& c) {
    Services(c).LoadIntoLibrary = true;
    return 0;
}

double TreeRefresh(int, TCallNode&, TText&, TContext& c) {
    Services(c).RefreshTree();
    return 0;
}

// [table] -------------------------------------------------------------------------------------

constexpr const char* kReference = "Atom Reference";
constexpr const char* kParameters = "Atom Parameters";
constexpr const char* kStatus = "Atom Status";
constexpr const char* kVarious = "Various";
constexpr const char* kSimulation = "Simulation";
constexpr const char* kModelFiles = "Model Files";
constexpr const char* kVisual = "Visualization";

// clang-format off
const TWordRow kModelWords[] = {
    {600, "c", kReference, CurrentAtom, 0, 0, "The atom whose handler code runs (the first register).", "Name(c)"},
    {601, "i", kReference, InvolvedAtom, 0, 0, "The atom involved in the running handler (the second register): the other side of an entry or exit, an event's involved atom.", "Name(i)"},
    {602, "a", kReference, ActiveAtom, 0, 0, "The active atom (the third register): the atom reference read last from a reference variable.", "Name(a)"},
    {603, "main", kReference, MainAtom, 0, 0, "The root atom, which holds the model and the library.", "main.title := [Bank]"},
    {604, "model", kReference, ModelAtom, 0, 0, "The model's atom: the atoms of the model are its subtree.", "ChildCount(model)"},
    {605, "label", kParameters, Label, 2, 2, "The value of a label of an atom (0 and an empty text when it has none); c.name is short for label([name],c). Assign with :=.", "label([served],c)"},
    {606, "CreateAtom", kReference, CreateAtom, 1, 3, "Creates an atom as the last child of a mother, optionally as a copy of a prototype's labels, attributes and handlers, runs its OnCreation and gives its reference.", "CreateAtom(model,[Queue])"},
    {607, "DestroyAtom", kReference, DestroyAtom, 1, 1, "Runs OnDestruction of an atom and its subtree, then destroys them with their pending events. References to them become stale.", "DestroyAtom(i)"},
    {608, "AtomExists", kStatus, AtomExists, 1, 1, "1 when the reference is a living atom, 0 when it is none or stale.", "AtomExists(c.customer)"},
    {609, "Name", kParameters, Name, 1, 1, "The name of an atom.", "Name(c)"},
    {610, "SetName", kParameters, SetName, 2, 2, "Renames an atom.", "SetName(c,[Teller])"},
    {611, "AtomId", kParameters, AtomId, 1, 1, "The ID of an atom: a number that stays with it, also in the model file.", "AtomId(c)"},
    {612, "Mother", kReference, Mother, 1, 1, "The atom that holds an atom (0 for main).", "Mother(c)"},
    {613, "ChildCount", kReference, ChildCount, 1, 1, "The number of atoms an atom holds.", "ChildCount(c)"},
    {614, "Child", kReference, Child, 2, 2, "The child at a position (from 1) of an atom.", "Child(c,1)"},
    {615, "AtomByName", kReference, AtomByName, 1, 2, "The first atom of a name in tree order below an atom (main when not given), or 0.", "AtomByName([Queue],model)"},
    {616, "AtomById", kReference, AtomById, 1, 1, "The atom with an ID, or 0.", "AtomById(4)"},
    {617, "MoveAtom", kReference, MoveAtom, 2, 2, "Moves an atom to the end of another atom's children and runs OnExit, OnExited, OnEntry and OnEntered.", "MoveAtom(i,c)"},
    {618, "SetLabel", kParameters, SetLabel, 3, 3, "Sets a label of an atom (number and text) and gives the value.", "SetLabel(c,[served],0)"},
    {619, "LabelCount", kParameters, LabelCount, 1, 1, "The number of labels of an atom.", "LabelCount(c)"},
    {620, "SetAtt", kParameters, SetAtt, 3, 3, "Sets a named attribute of an atom; bare names in the atom's handler code denote its named attributes.", "SetAtt(c,[capacity],10)"},
    {621, "Att", kParameters, Att, 2, 2, "The value of a named attribute of an atom by name.", "Att(c,[capacity])"},
    {622, "SetHandler", kParameters, SetHandler, 3, 3, "Sets the handler code of a kind (OnEvent ... OnInit, or 1 to 15) of an atom and compiles it; 1 when it compiles.", "SetHandler(c,[OnEvent],[Print(EventCode)])"},
    {623, "Handler", kParameters, Handler, 2, 2, "The handler code of a kind of an atom, as text.", "Handler(c,[OnReset])"},
    {624, "RunHandler", kParameters, RunHandler, 2, 3, "Runs the handler of a kind of an atom with an optional involved atom and gives its result.", "RunHandler(c,[OnUser],i)"},
    {625, "CreateEvent", kSimulation, CreateEvent, 2, 5, "Schedules the OnEvent handler of an atom after a delay, with a code, a priority (higher first at equal times) and an involved atom; gives the event time.", "CreateEvent(5,c,1,0,i)"},
    {626, "EventCode", kSimulation, EventCode, 0, 0, "The code of the event whose handler runs (0 outside an event).", "If(EventCode=1,Print([arrival]))"},
    {627, "SimTime", kSimulation, SimTime, 0, 0, "The simulation clock.", "Print(SimTime)"},
    {628, "RunModel", kSimulation, RunModel, 1, 1, "Runs the pending events in time order up to a time, then sets the clock to it; gives the number of events run.", "RunModel(480)"},
    {629, "ResetModel", kSimulation, ResetModel, 0, 0, "Sets the clock to 0, drops the pending events and runs OnReset of every atom of the model.", "ResetModel"},
    {630, "StopModel", kSimulation, StopModel, 0, 0, "Ends the running RunModel after the current handler; the clock stays at the event's time.", "StopModel"},
    {631, "EventCount", kSimulation, EventCount, 0, 0, "The number of pending events.", "EventCount"},
    {634, "ModelFile", kModelFiles, ModelFile, 3, 3, "Model files: starts reading a model file (format, model name, clock).", "ModelFile(1,[bank],0)"},
    {635, "LoadAtom", kModelFiles, LoadAtom, 4, 4, "Model files: creates atom number k of the file below atom number m, with a name and an ID.", "LoadAtom(1,0,[Queue],4)"},
    {636, "LoadAtt", kModelFiles, LoadAtt, 4, 4, "Model files: a named attribute of atom number k (name, number, text).", "LoadAtt(1,[capacity],10,[])"},
    {637, "LoadLabel", kModelFiles, LoadLabel, 4, 4, "Model files: a label of atom number k (name, number, text).", "LoadLabel(1,[served],0,[])"},
    {638, "LoadHandler", kModelFiles, LoadHandler, 3, 3, "Model files: a handler text of atom number k, compiled when it first runs.", "LoadHandler(1,[OnReset],[c.served := 0])"},
    {639, "LoadEvent", kModelFiles, LoadEvent, 5, 5, "Model files: a pending event (time, code, priority, atom number, involved atom number; -1 for none).", "LoadEvent(5,0,0,1,-1)"},
    {640, "FileText", kModelFiles, FileText, 1, 1, "A text with %XX escapes decoded (model files write texts with line breaks or unbalanced brackets so).", "FileText([a%0Ab])"},
    {641, "FileNumber", kModelFiles, FileNumber, 1, 1, "The number inf, -inf or nan (as model files write them).", "FileNumber([inf])"},
    {648, "NamedAtt", kParameters, NamedAtt, 2, 2, "The named attribute at a position (from 1) of an atom; bare attribute names in an atom's code compile to NamedAtt(n,c). Assign with :=.", "NamedAtt(1,c)"},
    {869, "GUIInstance", kVisual, GuiInstance, 2, 2, "Evaluates the second argument with a GUI instance as the current one; bare stored-entry names in the instance's code compile to GUIInstance(reference,GUIStore(n)).", "GUIInstance(g,GUIStore(1))"},
    {870, "GUIStore", kVisual, GuiStore, 1, 1, "The stored entry at a position (from 1) of the current GUI instance. Assign with :=.", "GUIInstance(g,GUIStore(1))"},
    {871, "CreateGUIInstance", kVisual, CreateGuiInstance, 1, 255, "Creates a GUI instance with a name and the names of its stored entries; gives its reference.", "CreateGUIInstance([Settings],[speed],[count])"},
    {872, "DestroyGUIInstance", kVisual, DestroyGuiInstance, 1, 1, "Destroys a GUI instance; its reference becomes stale.", "DestroyGUIInstance(g)"},
    {873, "GUIExecute", kVisual, GuiExecute, 2, 2, "Compiles a text in which the stored entries of a GUI instance can be named bare, and runs it.", "GUIExecute(g,[speed := speed * 2])"},
    {1500, "DisplayWatches", kVisual, DisplayWatches, 1, 1, "Shows (1) or hides (0) the watches of the model views.", "DisplayWatches(0)"},
    {1501, "tztfnc", kVarious, ModelFunction, 1, 1, "Model function by name: [new model] empties the model.", "tztfnc([new model])"},
    {1502, "WaitCursor", kVisual, WaitCursor, 0, 0, "Shows the wait cursor.", "WaitCursor"},
    {1503, "NormalCursor", kVisual, NormalCursor, 0, 0, "Ends the wait cursor.", "NormalCursor"},
    {1504, "ProgressBarForOpen", kVisual, ProgressBarForOpen, 1, 2, "Shows (1, with the file name) or hides (0) the progress of reading a model file (item t-FileRead).", "ProgressBarForOpen(1,[bank.vex])"},
    {1505, "ExecFile", kVarious, ExecFile, 1, 1, "Runs a script file, such as a model file, statement by statement (a line break outside parentheses, texts and comments ends a statement) and gives the last result.", "ExecFile([bank.vex])"},
    {1506, "UpdateModelName", kVarious, UpdateModelName, 1, 1, "Takes a file name as the model's file, and its base name as the model's name; after a file read into the library it changes nothing.", "UpdateModelName([bank.vex])"},
    {1507, "Library", kVarious, Library, 0, 0, "The next model file read goes into the library instead of the model.", "Do(Library,ExecFile([parts.vex]))"},
    {1508, "TreeRefresh", kVisual, TreeRefresh, 0, 0, "Shows the model tree again.", "TreeRefresh"},
    {1509, "kernelfnc", kVarious, KernelFunction, 1, 2, "Kernel function by name: [save model under same name], or [save model as] with a file name.", "kernelfnc([save model as],[bank.vex])"},
    {1510, "ModelFileName", kVarious, ModelFileName, 0, 0, "The file the model was read from or saved to last.", "ModelFileName"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelWordRows() {
    return kModelWords;
}

} // namespace vex::host
