#include "host/model/RunPlaces.h"

#include "host/model/HandlerKinds.h"
#include "host/model/Model.h"
#include "host/model/ModelServices.h"

#include "runtime/VexWords.h"

namespace vex::host {

std::string TErrorPlace::Prefix() const {
    std::string prefix = File.empty() ? std::string() : File + ":" + std::to_string(Line) + ": ";
    std::string where;
    if (InHandler) {
        where = HandlerKind + " of atom \"" + AtomName + "\" (ID " + std::to_string(AtomId) +
                ") at time " + FormatNumber(Time);
    }
    if (!Word.empty()) {
        where += (where.empty() ? "" : ", ") + std::string("word \"") + Word + "\"";
    }
    return where.empty() ? prefix : prefix + where + ": ";
}

TRunPlaces::TEntry& TRunPlaces::Enter(const TLanguageInterpreter& context) {
    m_leftDepth = 0;
    if (m_depth == m_entries.size()) {
        m_entries.emplace_back();
    }
    TEntry& entry = m_entries[m_depth++];
    entry = TEntry();
    entry.ParameterLevel = context.Stack.ParameterStack.Level;
    return entry;
}

void TRunPlaces::EnterStatement(const TLanguageInterpreter& context, std::string_view file,
                                int line) {
    TEntry& entry = Enter(context);
    entry.File = file;
    entry.Line = line;
}

void TRunPlaces::EnterHandler(const TLanguageInterpreter& context, const TModel& model,
                              std::int32_t atom, std::uint32_t atomId, int kind, double time) {
    TEntry& entry = Enter(context);
    entry.Model = &model;
    entry.Atom = atom;
    entry.AtomId = atomId;
    entry.Kind = kind;
    entry.Time = time;
}

// The innermost handler, and the statement it runs in.
TErrorPlace TRunPlaces::PlaceOf(std::size_t end) const {
    TErrorPlace place;
    for (std::size_t i = end; i-- > 0;) {
        const TEntry& entry = m_entries[i];
        if (!entry.Model) {
            place.File = std::string(entry.File);
            place.Line = entry.Line;
            break;
        }
        if (!place.InHandler) {
            place.InHandler = true;
            const TAtom* atom = entry.Model->FindAtom(entry.Atom);
            // A handler may destroy its own atom; its ID still tells which it was.
            place.AtomName = atom ? atom->AtomName() : std::string("(destroyed)");
            place.AtomId = entry.AtomId;
            place.HandlerKind = std::string(HandlerKindName(entry.Kind));
            place.Time = entry.Time;
        }
    }
    return place;
}

TErrorPlace TRunPlaces::Current(const TLanguageInterpreter& context) const {
    TErrorPlace place = PlaceOf(m_depth);
    const TParameterStack& calls = context.Stack.ParameterStack;
    const int enteredAt = m_depth == 0 ? 0 : m_entries[m_depth - 1].ParameterLevel;
    if (calls.Level > enteredAt && calls.Level <= calls.Count) {
        const TCallNode* call = calls.Items[static_cast<std::size_t>(calls.Level - 1)].Node;
        place.Word = call ? context.WordName(call->WordNumber) : std::string();
    }
    return place;
}

std::optional<TErrorPlace> TRunPlaces::TakeLastLeft() {
    if (m_leftDepth == 0) {
        return std::nullopt;
    }
    TErrorPlace place = PlaceOf(m_leftDepth);
    m_leftDepth = 0;
    return place;
}

TRunPlaceScope::TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context,
                               std::string_view file, int line)
    : m_places(places) {
    places.EnterStatement(context, file, line);
}

TRunPlaceScope::TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context,
                               const TModel& model, std::int32_t atom, std::uint32_t atomId,
                               int kind, double time)
    : m_places(places) {
    places.EnterHandler(context, model, atom, atomId, kind, time);
}

TErrorPlace ErrorPlaceOf(TLanguageInterpreter& context) {
    return ModelServicesOf(context).Places.Current(context);
}

} // namespace vex::host
