#pragma once

#include "runtime/VexScript.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex::host {

class TModel;

// Where an error happened, as far as the host can tell: the statement of a script file that ran
// (the file's name and the line the statement starts on), the handler of an atom that ran, and
// the user-defined word whose body ran; each the innermost one. The runtime's messages say what
// went wrong; hosts put the place in front of them where a person reads them (the console's
// standard error, the error window).
struct TErrorPlace {
    // Empty, and Line 0, when no script file was running. The line of the failing code, with
    // its column (from 1), where the runtime knows it; else the line of the statement that ran
    // and column 0.
    std::string File;
    int Line = 0;
    int Column = 0;
    // The handler that ran: its atom, the atom's ID, its kind and the simulation time.
    bool InHandler = false;
    std::string AtomName;
    std::uint32_t AtomId = 0;
    std::string HandlerKind;
    double Time = 0;
    // The user-defined word whose body ran inside all of these; empty outside one.
    std::string Word;

    // What stands before a message: "bank.vex:12: " for the file ("bank.vex:12:7: " with a
    // column), then
    // "OnEvent of atom "Queue" (ID 4) at time 12.5" for a handler and "word "Square"" for a
    // word, joined by ", " and followed by ": ". Empty when nothing is known.
    std::string Prefix() const;
};

// The places a run is in, innermost last. The file reader enters the statement it runs, the
// model enters the handler it runs; each leaves its place when it is done, also when an
// exception passes. Entering and leaving a place costs a few stores and allocates nothing once
// the list has grown: names are looked up only when an error asks for the place.
class TRunPlaces {
public:
    // Enters a statement of a script file that starts on `line`; `file` must outlive the place.
    // `parameterLevel` is the level of the context's parameter stack.
    // `column` is 0 unless the statement is a text inside a line, such as a handler's code.
    void EnterStatement(std::string_view file, int line, int parameterLevel, int column = 0) {
        Enter({file, line, column, nullptr, 0, 0, 0, 0, parameterLevel});
    }
    // Enters the handler of a kind of an atom (its handle and its ID) of `model`, run at
    // simulation time `time`.
    void EnterHandler(const TModel& model, std::int32_t atom, std::uint32_t atomId, int kind,
                      double time, int parameterLevel) {
        Enter({{}, 0, 0, &model, atom, atomId, kind, time, parameterLevel});
    }
    // Leaves the innermost place.
    void Leave() noexcept {
        if (m_leftDepth == 0) {
            m_leftDepth = m_depth;
        }
        --m_depth;
    }

    // The place of an error reported now: the innermost statement and handler, with the
    // user-defined word whose body runs inside them, if any.
    TErrorPlace Current(const TLanguageInterpreter& context) const;
    // The innermost place left since a place was last entered (where an aborted run was when
    // it ended), once; nothing when none was.
    std::optional<TErrorPlace> TakeLastLeft();
    // True while a place is entered.
    bool Inside() const noexcept { return m_depth > 0; }

private:
    struct TEntry {
        // A statement: its file and line. A handler: no file.
        std::string_view File;
        int Line = 0;
        int Column = 0;
        const TModel* Model = nullptr;
        std::int32_t Atom = 0;
        std::uint32_t AtomId = 0;
        int Kind = 0;
        double Time = 0;
        // The level of the parameter stack when the place was entered: a deeper level when an
        // error is reported means a user-defined word runs inside the place.
        int ParameterLevel = 0;
    };
    // Once the list has grown, entering is a copy into its storage.
    void Enter(const TEntry& entry) {
        m_leftDepth = 0;
        if (m_depth < m_entries.size()) [[likely]] {
            m_entries[m_depth++] = entry;
            return;
        }
        m_entries.push_back(entry);
        ++m_depth;
    }
    // The place of the entries up to `end` (exclusive), without a word.
    TErrorPlace PlaceOf(std::size_t end) const;

    // The places entered, m_depth of them; the entries beyond stay as they were until a place is
    // entered again, so that the place last left can still be told.
    std::vector<TEntry> m_entries;
    std::size_t m_depth = 0;
    // The depth of the innermost place left since the last one was entered, or 0.
    std::size_t m_leftDepth = 0;
};

// Holds a place of a TRunPlaces for as long as it lives.
class TRunPlaceScope {
public:
    // A statement of a script file.
    TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context, std::string_view file,
                   int line, int column = 0)
        : m_places(places) {
        places.EnterStatement(file, line, ParameterLevelOf(context), column);
    }
    // A handler.
    TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context, const TModel& model,
                   std::int32_t atom, std::uint32_t atomId, int kind, double time)
        : m_places(places) {
        places.EnterHandler(model, atom, atomId, kind, time, ParameterLevelOf(context));
    }
    TRunPlaceScope(const TRunPlaceScope&) = delete;
    TRunPlaceScope& operator=(const TRunPlaceScope&) = delete;
    ~TRunPlaceScope() { m_places.Leave(); }

private:
    static int ParameterLevelOf(const TLanguageInterpreter& context) noexcept {
        return context.UserWordCallLevel();
    }

    TRunPlaces& m_places;
};

// The place of an error reported now in a context whose host keeps model services.
TErrorPlace ErrorPlaceOf(TLanguageInterpreter& context);
// Puts the file, line and column of the failing code into `place`, when the runtime gave them
// with the error (a statement, handler or word body whose place in its file is known).
void PlaceAtFailingCode(TErrorPlace& place, const TRunError& error);
// Gives an error reported now its place there: the file, line and column of the failing code
// where the runtime knows them, else the file and line of the statement; and the whole place
// as its prefix.
void PlaceRunError(TLanguageInterpreter& context, TRunError& error);

} // namespace vex::host
