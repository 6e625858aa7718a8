// Model words: GUI instances and their stored entries. Code compiled with an instance as the
// current one names its stored entries bare; they compile to GUIInstance(reference,GUIStore(n)).
// Assigning to a stored entry with := goes through host/model/Assignable.h.

#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vex::host {

namespace {

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

double GuiInstance(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TModelServices& services = Services(c);
    const TGuiInstance& instance =
        services.Model.GuiInstanceOf(ReferenceArg(c, n, 1), WordOf(c, n));
    TInstanceScope scope(services, instance.Handle());
    return EvaluateArg(c, n, 2, text);
}

TModelValue& StoredEntry(TLanguageInterpreter& c, TCallNode& n, std::int32_t position) {
    TModelServices& services = Services(c);
    if (services.InstanceStack.empty()) {
        WordError(c, n, "no GUI instance is current (use it inside GUIInstance)");
    }
    TGuiInstance& instance =
        services.Model.GuiInstanceOf(services.InstanceStack.back(), WordOf(c, n));
    if (position < 1 || position > instance.StoredEntryCount()) {
        WordError(c, n,
                  "the GUI instance \"" + instance.InstanceName() + "\" has no stored entry " +
                      std::to_string(position));
    }
    return *instance.Entries.At(position);
}

double GuiStore(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    return GiveValue(StoredEntry(c, n, ModelIntegerArg(c, n, 1, 1, INT32_MAX)), text);
}

double CreateGuiInstance(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const std::int32_t handle = model.CreateGuiInstance(TextArg(c, n, 1).str());
    TGuiInstance& instance = model.GuiInstanceOf(handle, WordOf(c, n));
    for (int i = 2; i <= count; ++i) {
        instance.AddStoredEntry(NameArg(c, n, i));
    }
    return handle;
}

double DestroyGuiInstance(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    ModelOf(c).DestroyGuiInstance(ReferenceArg(c, n, 1), WordOf(c, n));
    return 0;
}

// Compiles a text with the GUI instance as the current instance, so that its stored entries
// can be named bare, and runs it.
double GuiExecute(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TModelServices& services = Services(c);
    TGuiInstance& instance = services.Model.GuiInstanceOf(ReferenceArg(c, n, 1), WordOf(c, n));
    const std::int32_t handle = instance.Handle();
    const TText source = TextArg(c, n, 2);
    TCompiledCode* code = c.Compile(source.view(), nullptr, TGuiBinding{nullptr, &instance});
    if (!code) {
        ArgumentError(c, n, 2, "the text does not compile");
    }
    struct TRelease {
        TLanguageInterpreter& context;
        TCompiledCode*& code;
        ~TRelease() { context.ReleaseCode(code); }
    } release{c, code};
    TInstanceScope scope(services, handle);
    return c.Evaluate(code, text);
}

constexpr const char* kVisual = "Visualization";

// clang-format off
const TWordRow kRows[] = {
    {wnGuiInstance, "GUIInstance", kVisual, GuiInstance, 2, 2, "Evaluates the second argument with a GUI instance as the current one; bare stored-entry names in the instance's code compile to GUIInstance(reference,GUIStore(n)).", "GUIInstance(g,GUIStore(1))"},
    {870, "GUIStore", kVisual, GuiStore, 1, 1, "The stored entry at a position (from 1) of the current GUI instance. Assign with :=.", "GUIInstance(g,GUIStore(1))"},
    {871, "CreateGUIInstance", kVisual, CreateGuiInstance, 1, 255, "Creates a GUI instance with a name and the names of its stored entries; gives its reference.", "CreateGUIInstance([Settings],[speed],[count])"},
    {872, "DestroyGUIInstance", kVisual, DestroyGuiInstance, 1, 1, "Destroys a GUI instance; its reference becomes stale.", "DestroyGUIInstance(g)"},
    {873, "GUIExecute", kVisual, GuiExecute, 2, 2, "Compiles a text in which the stored entries of a GUI instance can be named bare, and runs it.", "GUIExecute(g,[speed := speed * 2])"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelGuiWordRows() {
    return kRows;
}

} // namespace vex::host
