#include "host/model/RunPlaces.h"

#include "host/model/HandlerKinds.h"
#include "host/model/Model.h"
#include "host/model/ModelServices.h"

#include "runtime/VexWords.h"

#include <exception>

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

void TRunPlaces::EnterStatement(const TLanguageInterpreter& context, std::string_view file,
                                int line) {
    m_unwound.reset();
    TEntry& entry = m_entries.emplace_back();
    entry.File = file;
    entry.Line = line;
    entry.ParameterLevel = context.Stack.ParameterStack.Level;
}

void TRunPlaces::EnterHandler(const TLanguageInterpreter& context, const TModel& model,
                              std::int32_t atom, int kind, double time) {
    m_unwound.reset();
    TEntry& entry = m_entries.emplace_back();
    entry.Model = &model;
    entry.Atom = atom;
    const TAtom* found = model.FindAtom(atom);
    entry.AtomId = found ? found->AtomId() : 0;
    entry.Kind = kind;
    entry.Time = time;
    entry.ParameterLevel = context.Stack.ParameterStack.Level;
}

void TRunPlaces::Leave(bool unwinding) {
    if (unwinding && !m_unwound) {
        m_unwound = PlaceOf(m_entries.size());
    }
    m_entries.pop_back();
}

TErrorPlace TRunPlaces::PlaceOf(std::size_t end) const {
    TErrorPlace place;
    for (std::size_t i = end; i-- > 0;) {
        const TEntry& entry = m_entries[i];
        if (entry.Model && !place.InHandler && place.File.empty()) {
            place.InHandler = true;
            const TAtom* atom = entry.Model->FindAtom(entry.Atom);
            // A handler may destroy its own atom; its ID still tells which it was.
            place.AtomName = atom ? atom->AtomName() : std::string("(destroyed)");
            place.AtomId = entry.AtomId;
            place.HandlerKind = std::string(HandlerKindName(entry.Kind));
            place.Time = entry.Time;
        } else if (!entry.Model) {
            place.File = std::string(entry.File);
            place.Line = entry.Line;
            break;
        }
    }
    return place;
}

TErrorPlace TRunPlaces::Current(const TLanguageInterpreter& context) const {
    TErrorPlace place = PlaceOf(m_entries.size());
    const TParameterStack& calls = context.Stack.ParameterStack;
    const int enteredAt = m_entries.empty() ? 0 : m_entries.back().ParameterLevel;
    if (calls.Level > enteredAt && calls.Level <= calls.Count) {
        const TCallNode* call = calls.Items[static_cast<std::size_t>(calls.Level - 1)].Node;
        place.Word = call ? context.WordName(call->WordNumber) : std::string();
    }
    return place;
}

std::optional<TErrorPlace> TRunPlaces::TakeUnwound() {
    std::optional<TErrorPlace> place = std::move(m_unwound);
    m_unwound.reset();
    return place;
}

TRunPlaceScope::TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context,
                               std::string_view file, int line)
    : m_places(places)
    , m_exceptions(std::uncaught_exceptions()) {
    places.EnterStatement(context, file, line);
}

TRunPlaceScope::TRunPlaceScope(TRunPlaces& places, const TLanguageInterpreter& context,
                               const TModel& model, std::int32_t atom, int kind, double time)
    : m_places(places)
    , m_exceptions(std::uncaught_exceptions()) {
    places.EnterHandler(context, model, atom, kind, time);
}

TRunPlaceScope::~TRunPlaceScope() {
    m_places.Leave(std::uncaught_exceptions() > m_exceptions);
}

TErrorPlace ErrorPlaceOf(TLanguageInterpreter& context) {
    return ModelServicesOf(context).Places.Current(context);
}

} // namespace vex::host
