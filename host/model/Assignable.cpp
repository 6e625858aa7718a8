#include "host/model/Assignable.h"

#include "host/ModelWords.h"
#include "host/model/ModelServices.h"

#include "runtime/VexWords.h"

#include <cmath>

namespace vex::host {

namespace {

double NumberArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText ignored;
    return EvaluateArg(c, n, i, ignored);
}

// A reference or position argument; anything that is no 32-bit integer gives -1.
std::int32_t IntegerArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    const double value = NumberArg(c, n, i);
    return std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 2147483648.0
               ? static_cast<std::int32_t>(value)
               : -1;
}

[[noreturn]] void Fail(TLanguageInterpreter& c, const TCallNode& n, const std::string& what) {
    throw EVexError(c.WordName(n.WordNumber) + ": " + what);
}

void AssignLabel(TLanguageInterpreter& c, TCallNode& n, const TModelValue& value) {
    TText name;
    EvaluateArg(c, n, 1, name);
    TAtom& owner = ModelServicesOf(c).Model.AtomOf(IntegerArg(c, n, 2), c.WordName(n.WordNumber));
    if (name.empty()) {
        Fail(c, n, "a label needs a name");
    }
    owner.Labels.Set(name.view(), value);
}

void AssignNamedAtt(TLanguageInterpreter& c, TCallNode& n, const TModelValue& value) {
    const std::int32_t position = IntegerArg(c, n, 1);
    TAtom& atom = ModelServicesOf(c).Model.AtomOf(IntegerArg(c, n, 2), c.WordName(n.WordNumber));
    TModelValue* attribute = atom.AttributeAt(position);
    if (!attribute) {
        Fail(c, n,
             "the atom \"" + atom.AtomName() + "\" has no named attribute " +
                 std::to_string(position));
    }
    *attribute = value;
}

void AssignStoredEntry(TLanguageInterpreter& c, TCallNode& n, TCallNode& store,
                       const TModelValue& value) {
    TGuiInstance& instance =
        ModelServicesOf(c).Model.GuiInstanceOf(IntegerArg(c, n, 1), c.WordName(n.WordNumber));
    const std::int32_t position = IntegerArg(c, store, 1);
    if (position < 1 || position > instance.StoredEntryCount()) {
        Fail(c, store,
             "the GUI instance \"" + instance.InstanceName() + "\" has no stored entry " +
                 std::to_string(position));
    }
    *instance.Entries.At(position) = value;
}

TCallNode* StoredEntryCall(TCallNode& target) {
    TCodeNode* inner = target.ArgCount == 2 ? target.Arg(2) : nullptr;
    return inner && inner->IsCall() && inner->WordNumber == mwGuiStore && inner->ArgCount == 1
               ? static_cast<TCallNode*>(inner)
               : nullptr;
}

} // namespace

bool AssignToCall(TLanguageInterpreter& context, TCallNode& target, double number,
                  const TText& text) {
    const TModelValue value{number, text};
    if (target.WordNumber == mwLabel && target.ArgCount == 2) {
        AssignLabel(context, target, value);
        return true;
    }
    if (target.WordNumber == mwNamedAtt && target.ArgCount == 2) {
        AssignNamedAtt(context, target, value);
        return true;
    }
    if (target.WordNumber == mwGuiInstance) {
        if (TCallNode* store = StoredEntryCall(target)) {
            AssignStoredEntry(context, target, *store, value);
            return true;
        }
    }
    return false;
}

} // namespace vex::host
