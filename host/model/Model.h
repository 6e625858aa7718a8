#pragma once

#include "host/model/Atom.h"
#include "host/model/ErrorWord.h"
#include "host/model/EventList.h"
#include "host/model/GuiInstance.h"
#include "host/model/HandleTable.h"
#include "host/model/IdIndex.h"
#include "host/model/RunPlaces.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

class TAnimationTick;

// The simulation model: a tree of atoms below the root atom "main", the pending events, the
// simulation clock and the GUI instances of the model's user interface.
//
// Three atoms always exist: "main" (the root, which owns the other two), "model" (what a model
// file holds; "new model" empties it) and "Library" (atoms loaded as a library stay there across
// models). Everything an atom or GUI instance is reached by is its handle (THandleTable); an
// operation given a handle that is none or stale raises EVexError naming the word, never
// touching freed memory.
//
// Handler code runs through RunHandler, which sets the registers (first: the atom, second: the
// involved atom), the code kind (Stack.CodeKind: the handler kind) and RunOrigin (simulation, or
// animation for the animation's frames) and restores them afterwards, also when an error or the
// abort signal passes.
class TModel {
public:
    TModel();
    TModel(const TModel&) = delete;
    TModel& operator=(const TModel&) = delete;
    ~TModel();

    // The three fixed atoms.
    std::int32_t Main() const noexcept { return m_main; }
    std::int32_t Root() const noexcept { return m_root; }
    std::int32_t Library() const noexcept { return m_library; }

    // Atoms ----------------------------------------------------------------------------------

    // The atom of a live handle, or none.
    TAtom* FindAtom(std::int32_t handle) const noexcept {
        TModelObject* object = m_objects.Find(handle);
        return object && object->Kind() == TObjectKind::Atom ? static_cast<TAtom*>(object)
                                                             : nullptr;
    }
    // The atom of a handle; raises EVexError naming `word` for none, a stale handle or a handle
    // of something else.
    TAtom& AtomOf(std::int32_t handle, TErrorWord word) const;
    // The atom with an ID, or none.
    TAtom* AtomById(std::uint32_t id) const noexcept;
    // The first atom of that name (ASCII case ignored) in `within`'s subtree, `within` itself
    // included, in tree order; none when there is no such atom.
    TAtom* AtomByName(std::string_view name, std::int32_t within) const;
    // Creates an atom as the last child of `mother` and gives its handle. It takes `id` when that
    // is nonzero and free, else the next free ID. Runs no handler.
    std::int32_t CreateAtom(std::int32_t mother, std::string name, std::uint32_t id = 0);
    // Destroys an atom with its subtree (children first) and drops their pending events. The
    // fixed atoms cannot be destroyed. Runs no handler.
    void DestroyAtom(std::int32_t handle, TErrorWord word);
    // Makes `atom` the last child of `mother`. Moving an atom into its own subtree, or moving a
    // fixed atom, raises EVexError naming `word`.
    void MoveAtom(std::int32_t atom, std::int32_t mother, TErrorWord word);
    // Number of atoms, the fixed ones included.
    std::size_t AtomCount() const noexcept;
    // The atoms of `within`'s subtree in tree order (mother before children), `within` first.
    std::vector<std::int32_t> Subtree(std::int32_t within) const;
    // Sets a handler text; the code is compiled when it first runs (or by CompileHandler).
    void SetHandler(TAtom& atom, int kind, std::string text);
    // Compiles a handler with the atom as current object; false when it has no text or fails
    // (the errors then went to the context's ReportError).
    bool CompileHandler(TLanguageInterpreter& context, TAtom& atom, int kind);

    // GUI instances ----------------------------------------------------------------------------

    std::int32_t CreateGuiInstance(std::string name);
    TGuiInstance& GuiInstanceOf(std::int32_t handle, TErrorWord word) const;
    void DestroyGuiInstance(std::int32_t handle, TErrorWord word);

    // Events and the clock ---------------------------------------------------------------------

    // Schedules an event at an absolute time, which must be a number not before the clock.
    void ScheduleEvent(double time, std::int32_t code, std::int32_t priority, std::int32_t atom,
                       std::int32_t involved, TErrorWord word);
    const TEventList& Events() const noexcept { return m_events; }
    // The event whose handler runs, or none.
    const TEvent* CurrentEvent() const noexcept { return m_current ? &*m_current : nullptr; }
    double Clock() const noexcept { return m_clock; }
    bool Running() const noexcept { return m_running; }
    // The end time of the RunUntil that runs (or ran last), and the events it has run so far:
    // what a progress display shows beside the clock.
    double RunEnd() const noexcept { return m_runEnd; }
    std::int64_t EventsRun() const noexcept { return m_eventsRun; }
    // Where handler runs are entered as the places of their errors; set by the services that
    // own the model (none: not entered).
    TRunPlaces* Places = nullptr;
    // Draws the animation's frames between events while RunUntil runs (none: no frames).
    TAnimationTick* Animation = nullptr;
    // Asks the running RunUntil to stop after the handler that runs.
    void RequestStop() noexcept { m_stopRequested = true; }

    // True when a living atom has a handler text of a kind: RunHandler would run (or compile)
    // something. Model words test it before they prepare a run.
    bool HasHandler(std::int32_t atom, int kind) const noexcept {
        const TAtom* target = FindAtom(atom);
        return target && target->HasHandler(kind);
    }
    // Runs the handler of a kind of an atom, as described for the class; gives its result (0
    // and an empty text when the atom has no such handler or it fails to compile). The
    // animation's frames run the drawing handlers with the animation origin.
    double RunHandler(TLanguageInterpreter& context, std::int32_t atom, int kind,
                      std::int32_t involved, TText& text, std::uint8_t origin = roSimulation);
    // Runs the pending events in order up to and including `until`, then sets the clock to
    // `until` (unless a stop was requested). Gives the number of events run. Raises EVexError
    // naming `word` when the model is running already, `until` lies before the clock, or the
    // clock does not advance (more than a million events in a row at one time).
    std::int64_t RunUntil(TLanguageInterpreter& context, double until, TErrorWord word);
    // Sets the clock to 0, drops the pending events and runs OnReset of every atom of the model
    // in tree order.
    void Reset(TLanguageInterpreter& context);
    // Empties the model: destroys the atoms below "model", clears its labels, attributes and
    // handlers, drops the events, sets the clock to 0 and forgets the name and file name.
    void Clear();
    // Sets the clock when a model file is read; not before 0.
    void RestoreClock(double clock) { m_clock = clock < 0 ? 0 : clock; }

    // The file the model was read from or saved to last (the model's name is the name of the
    // "model" atom).
    std::string FileName;

private:
    std::uint32_t TakeId(std::uint32_t wanted);
    // Drops every pending event.
    void DropEvents();
    void DetachFromMother(TAtom& atom);
    void DestroySubtree(std::int32_t handle);

    // Declared before the handle table, which owns the atoms in it.
    TAtomStore m_atomStore{sizeof(TAtom), alignof(TAtom)};
    THandleTable m_objects;
    TIdIndex m_byId;
    std::uint32_t m_nextId = 1;
    std::int32_t m_main = 0;
    std::int32_t m_root = 0;
    std::int32_t m_library = 0;
    TEventList m_events;
    std::optional<TEvent> m_current;
    double m_clock = 0;
    bool m_running = false;
    bool m_stopRequested = false;
    double m_runEnd = 0;
    std::int64_t m_eventsRun = 0;
};

} // namespace vex::host
