#include "host/model/Assignable.h"

#include "host/words/ModelWordSupport.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>

namespace vex::host {

namespace {

// The target's arguments are read as the words themselves read them (host/words/
// ModelWordSupport.h), so that a target fails as the word would.

void AssignLabel(TLanguageInterpreter& c, TCallNode& n, const TModelValue& value) {
    std::string keep;
    const std::string_view name = NameView(c, n, 1, keep);
    TAtom& owner = AtomArg(c, n, 2);
    owner.Labels().Set(name, value);
}

void AssignNamedAtt(TLanguageInterpreter& c, TCallNode& n, const TModelValue& value) {
    const std::int32_t position = ModelIntegerArg(c, n, 1, 1, INT32_MAX);
    TAtom& atom = AtomArg(c, n, 2);
    TModelValue* attribute = atom.AttributeAt(position);
    if (!attribute) {
        WordError(c, n,
                  "the atom \"" + atom.AtomName() + "\" has no named attribute " +
                      std::to_string(position));
    }
    *attribute = value;
}

void AssignStoredEntry(TLanguageInterpreter& c, TCallNode& n, TCallNode& store,
                       const TModelValue& value) {
    TGuiInstance& instance = ModelOf(c).GuiInstanceOf(ReferenceArg(c, n, 1), WordOf(c, n));
    const std::int32_t position = ModelIntegerArg(c, store, 1, 1, INT32_MAX);
    if (position > instance.StoredEntryCount()) {
        WordError(c, store,
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
