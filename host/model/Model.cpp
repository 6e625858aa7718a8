#include "host/model/Model.h"

#include "host/model/AnimationTick.h"

#include "runtime/VexWords.h"

#include <cmath>
#include <unordered_set>

namespace vex::host {

namespace {

[[noreturn]] void Fail(TErrorWord word, const std::string& what) {
    throw EVexError(word.Name() + ": " + what);
}

std::string Reference(std::int32_t handle) {
    return std::to_string(handle);
}

// Most events a run takes in a row at one time. More mean that the clock cannot advance: a
// handler schedules itself again at once, or its delay is too small to change the clock.
constexpr std::int64_t kMaxEventsAtOneTime = 1000000;

// Sets what a handler run changes in the context and the registers, and puts it back. Handler
// runs nest (a handler may run handlers); like every evaluation they count against the runtime's
// depth limit, so that endless nesting raises EVexStackOverflow instead of exhausting the native
// stack.
class THandlerScope {
public:
    THandlerScope(TLanguageInterpreter& context, std::int32_t atom, std::int32_t involved, int kind,
                  std::uint8_t origin)
        : m_context(context)
        , m_registers(context.Host().Registers())
        , m_saved(m_registers)
        , m_kind(context.CodeKind())
        , m_origin(context.RunOrigin()) {
        m_registers.First = atom;
        m_registers.Second = involved;
        context.SetCodeKind(HandlerCodeKind(kind));
        context.SetRunOrigin(origin);
    }
    ~THandlerScope() {
        m_registers.First = m_saved.First;
        m_registers.Second = m_saved.Second;
        m_context.SetCodeKind(m_kind);
        m_context.SetRunOrigin(m_origin);
    }
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;

private:
    TLanguageInterpreter& m_context;
    THostRegisters& m_registers;
    THostRegisters m_saved;
    TCodeKind m_kind;
    std::uint8_t m_origin;
};

} // namespace

TModel::TModel() {
    m_main = CreateAtom(0, "main");
    m_root = CreateAtom(m_main, "model");
    m_library = CreateAtom(m_main, "Library");
}

TModel::~TModel() = default;

// [atoms] -------------------------------------------------------------------------------------

TAtom& TModel::AtomOf(std::int32_t handle, TErrorWord word) const {
    if (TAtom* atom = FindAtom(handle)) {
        return *atom;
    }
    if (handle == 0) {
        Fail(word, "no atom given (the reference is 0)");
    }
    if (m_objects.Find(handle)) {
        Fail(word, "the reference " + Reference(handle) + " is no atom");
    }
    Fail(word, "the atom reference " + Reference(handle) +
                   " is stale or invalid (its atom was destroyed or never existed)");
}

TAtom* TModel::AtomById(std::uint32_t id) const noexcept {
    return FindAtom(m_byId.Find(id));
}

TAtom* TModel::AtomByName(std::string_view name, std::int32_t within) const {
    for (std::int32_t handle : Subtree(within)) {
        TAtom* atom = FindAtom(handle);
        if (SameText(atom->AtomName(), name)) {
            return atom;
        }
    }
    return nullptr;
}

std::uint32_t TModel::TakeId(std::uint32_t wanted) {
    if (wanted != 0 && !m_byId.Contains(wanted)) {
        m_nextId = std::max(m_nextId, wanted + 1);
        return wanted;
    }
    while (m_byId.Contains(m_nextId) || m_nextId == 0) {
        ++m_nextId;
    }
    return m_nextId++;
}

std::int32_t TModel::CreateAtom(std::int32_t mother, std::string name, std::uint32_t id) {
    TAtom* parent = mother ? &AtomOf(mother, "CreateAtom") : nullptr;
    const std::uint32_t atomId = TakeId(id);
    const std::int32_t handle = m_objects.Add(
        std::unique_ptr<TModelObject>(new (m_atomStore) TAtom(atomId, std::move(name))));
    m_byId.Set(atomId, handle);
    if (parent) {
        FindAtom(handle)->m_mother = mother;
        parent->m_children.push_back(handle);
    }
    return handle;
}

void TModel::DetachFromMother(TAtom& atom) {
    if (TAtom* mother = FindAtom(atom.m_mother)) {
        std::erase(mother->m_children, atom.Handle());
    }
    atom.m_mother = 0;
}

// Children go before their mothers; iterative, so that deep trees cannot exhaust the stack.
void TModel::DestroySubtree(std::int32_t handle) {
    TAtom& atom = *FindAtom(handle);
    if (atom.m_children.empty()) {
        if (atom.m_pendingEvents > 0) {
            m_events.RemoveEvents([handle](std::int32_t owner) { return owner == handle; });
        }
        m_byId.Erase(atom.AtomId());
        m_objects.Remove(handle);
        return;
    }
    const std::vector<std::int32_t> members = Subtree(handle);
    // Most atoms have no events pending, and then the list is not searched.
    std::unordered_set<std::int32_t> withEvents;
    for (std::int32_t member : members) {
        if (FindAtom(member)->m_pendingEvents > 0) {
            withEvents.insert(member);
        }
    }
    if (!withEvents.empty()) {
        m_events.RemoveEvents([&](std::int32_t atom) { return withEvents.contains(atom); });
    }
    for (auto member = members.rbegin(); member != members.rend(); ++member) {
        m_byId.Erase(FindAtom(*member)->AtomId());
        m_objects.Remove(*member);
    }
}

void TModel::DestroyAtom(std::int32_t handle, TErrorWord word) {
    TAtom& atom = AtomOf(handle, word);
    if (handle == m_main || handle == m_root || handle == m_library) {
        Fail(word, "the atom \"" + atom.AtomName() + "\" cannot be destroyed");
    }
    DetachFromMother(atom);
    DestroySubtree(handle);
}

void TModel::MoveAtom(std::int32_t atom, std::int32_t mother, TErrorWord word) {
    TAtom& moved = AtomOf(atom, word);
    AtomOf(mother, word);
    if (atom == m_main || atom == m_root || atom == m_library) {
        Fail(word, "the atom \"" + moved.AtomName() + "\" cannot be moved");
    }
    for (std::int32_t up = mother; up != 0; up = FindAtom(up)->m_mother) {
        if (up == atom) {
            Fail(word, "an atom cannot be moved into itself or its own subtree");
        }
    }
    DetachFromMother(moved);
    moved.m_mother = mother;
    FindAtom(mother)->m_children.push_back(atom);
}

std::size_t TModel::AtomCount() const noexcept {
    return m_byId.Size();
}

std::vector<std::int32_t> TModel::Subtree(std::int32_t within) const {
    std::vector<std::int32_t> order;
    std::vector<std::int32_t> pending{within};
    while (!pending.empty()) {
        const std::int32_t handle = pending.back();
        pending.pop_back();
        const TAtom* atom = FindAtom(handle);
        if (!atom) {
            continue;
        }
        order.push_back(handle);
        pending.insert(pending.end(), atom->m_children.rbegin(), atom->m_children.rend());
    }
    return order;
}

void TModel::SetHandler(TAtom& atom, int kind, std::string text) {
    if (text.empty() && !atom.HasHandlers()) {
        return;
    }
    THandler& handler = atom.Handler(kind);
    handler.Text = std::move(text);
    const auto bit = static_cast<std::uint16_t>(1u << kind);
    atom.m_handlerKinds =
        handler.Text.empty() ? atom.m_handlerKinds & ~bit : atom.m_handlerKinds | bit;
    handler.Compiled.reset();
    handler.Failed = false;
}

bool TModel::CompileHandler(TLanguageInterpreter& context, TAtom& atom, int kind) {
    if (!atom.HasHandlers()) {
        return false;
    }
    THandler& handler = atom.Handler(kind);
    if (handler.Compiled) {
        return true;
    }
    if (handler.Text.empty() || handler.Failed) {
        return false;
    }
    TExpression expression;
    context.CompileExpression(handler.Text, &atom, expression);
    if (!expression.Code) {
        handler.Failed = true;
        return false;
    }
    handler.Compiled = std::make_shared<THandlerCode>(expression.Code);
    return true;
}

// [gui] ---------------------------------------------------------------------------------------

std::int32_t TModel::CreateGuiInstance(std::string name) {
    return m_objects.Add(std::make_unique<TGuiInstance>(std::move(name)));
}

TGuiInstance& TModel::GuiInstanceOf(std::int32_t handle, TErrorWord word) const {
    TModelObject* object = m_objects.Find(handle);
    if (object && object->Kind() == TObjectKind::GuiInstance) {
        return static_cast<TGuiInstance&>(*object);
    }
    if (m_objects.Find(handle)) {
        Fail(word, "the reference " + Reference(handle) + " is no GUI instance");
    }
    Fail(word, "the GUI instance reference " + Reference(handle) + " is stale or invalid");
}

void TModel::DestroyGuiInstance(std::int32_t handle, TErrorWord word) {
    GuiInstanceOf(handle, word);
    m_objects.Remove(handle);
}

// [events] ------------------------------------------------------------------------------------

void TModel::ScheduleEvent(double time, std::int32_t code, std::int32_t priority, std::int32_t atom,
                           std::int32_t involved, TErrorWord word) {
    if (!std::isfinite(time) || time < m_clock) {
        Fail(word, "the event time " + FormatNumber(time) + " lies before the clock (" +
                       FormatNumber(m_clock) + ") or is no number");
    }
    if (atom != 0) {
        ++AtomOf(atom, word).m_pendingEvents;
    }
    m_events.Schedule(time, code, priority, atom, involved);
}

void TModel::DropEvents() {
    m_events.Clear();
    for (std::int32_t handle : Subtree(m_main)) {
        FindAtom(handle)->m_pendingEvents = 0;
    }
}

double TModel::RunHandler(TLanguageInterpreter& context, std::int32_t atom, int kind,
                          std::int32_t involved, TText& text, std::uint8_t origin) {
    text.clear();
    if (!HasHandler(atom, kind)) {
        return 0;
    }
    TAtom* target = FindAtom(atom);
    // The handler is the place of its compile errors as well as of its run's.
    std::optional<TRunPlaceScope> place;
    if (Places) {
        place.emplace(*Places, context, *this, atom, target->AtomId(), kind, m_clock);
    }
    if (!target->Handler(kind).Compiled && !CompileHandler(context, *target, kind)) {
        return 0;
    }
    // The copy keeps the tree alive if the handler destroys its atom or replaces the text.
    const std::shared_ptr<THandlerCode> code = target->Handler(kind).Compiled;
    THandlerScope scope(context, atom, involved, kind, origin);
    return context.Evaluate(code->Code(), text);
}

std::int64_t TModel::RunUntil(TLanguageInterpreter& context, double until, TErrorWord word) {
    if (m_running) {
        Fail(word, "the model is running already");
    }
    if (std::isnan(until) || until < m_clock) {
        Fail(word, "the end time " + FormatNumber(until) + " lies before the clock (" +
                       FormatNumber(m_clock) + ")");
    }
    struct TRunState {
        TModel& model;
        ~TRunState() {
            model.m_running = false;
            model.m_current.reset();
        }
    } state{*this};
    m_running = true;
    m_stopRequested = false;
    m_runEnd = until;
    m_eventsRun = 0;
    std::int64_t count = 0;
    std::int64_t atThisTime = 0;
    for (const TEvent* next = m_events.Next(); !m_stopRequested && next && next->Time <= until;
         next = m_events.Next()) {
        atThisTime = next->Time == m_clock ? atThisTime + 1 : 1;
        if (atThisTime > kMaxEventsAtOneTime) {
            Fail(word, "the clock does not advance: more than " +
                           std::to_string(kMaxEventsAtOneTime) + " events in a row at the time " +
                           FormatNumber(m_clock));
        }
        m_current = m_events.TakeNext();
        m_clock = m_current->Time;
        if (TAtom* atom = FindAtom(m_current->Atom)) {
            --atom->m_pendingEvents;
        }
        TText ignored;
        RunHandler(context, m_current->Atom, static_cast<int>(THandlerKind::OnEvent),
                   m_current->Involved, ignored);
        m_eventsRun = ++count;
        if (Animation && Animation->FrameDue()) {
            Animation->DrawFrame(context, *this);
        }
    }
    if (!m_stopRequested && std::isfinite(until)) {
        m_clock = until;
    }
    return count;
}

void TModel::Reset(TLanguageInterpreter& context) {
    m_clock = 0;
    DropEvents();
    for (std::int32_t handle : Subtree(m_root)) {
        TText ignored;
        RunHandler(context, handle, static_cast<int>(THandlerKind::OnReset), 0, ignored);
    }
}

void TModel::Clear() {
    TAtom& root = *FindAtom(m_root);
    const std::vector<std::int32_t> children = root.m_children;
    for (std::int32_t child : children) {
        DestroySubtree(child);
    }
    root.m_children.clear();
    root.m_parts.reset();
    root.m_handlerKinds = 0;
    root.SetName("model");
    DropEvents();
    m_clock = 0;
    FileName.clear();
}

} // namespace vex::host
