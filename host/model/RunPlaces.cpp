#include "host/model/RunPlaces.h"

#include "host/model/HandlerKinds.h"
#include "host/model/Model.h"
#include "host/model/ModelServices.h"

#include "runtime/VexWords.h"

namespace vex::host {

std::string TErrorPlace::Prefix() const {
    std::string prefix;
    if (!File.empty()) {
        prefix = File + ":" + std::to_string(Line) +
                 (Column > 0 ? ":" + std::to_string(Column) : std::string()) + ": ";
    }
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

// The innermost handler, and the statement it runs in.
TErrorPlace TRunPlaces::PlaceOf(std::size_t end) const {
    TErrorPlace place;
    for (std::size_t i = end; i-- > 0;) {
        const TEntry& entry = m_entries[i];
        if (!entry.Model) {
            place.File = std::string(entry.File);
            place.Line = entry.Line;
            place.Column = entry.Column;
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
    const int enteredAt = m_depth == 0 ? 0 : m_entries[m_depth - 1].ParameterLevel;
    if (context.UserWordCallLevel() > enteredAt) {
        const int word = context.RunningUserWord();
        place.Word = word > 0 ? context.WordName(word) : std::string();
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

TErrorPlace ErrorPlaceOf(TLanguageInterpreter& context) {
    return ModelServicesOf(context).Places.Current(context);
}

void PlaceAtFailingCode(TErrorPlace& place, const TRunError& error) {
    if (error.Line > 0 && !error.File.empty()) {
        place.File = error.File;
        place.Line = error.Line;
        place.Column = error.Column;
    }
}

void PlaceRunError(TLanguageInterpreter& context, TRunError& error) {
    TErrorPlace place = ErrorPlaceOf(context);
    PlaceAtFailingCode(place, error);
    error.Where = place.Prefix();
    error.File = std::move(place.File);
    error.Line = place.Line;
    error.Column = place.Column;
}

} // namespace vex::host
