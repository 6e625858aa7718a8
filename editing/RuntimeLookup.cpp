#include "editing/RuntimeLookup.h"

#include "runtime/VexScript.h"
#include "runtime/VexWords.h"

#include <utility>

namespace {

bool beginsWith(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && vex::SameText(name.substr(0, prefix.size()), prefix);
}

// The lookup over the context a pointer names.
class TContextLookup final : public TRuntimeLookup {
public:
    explicit TContextLookup(vex::TLanguageInterpreter* const& context)
        : m_context(context) {}

    bool IsGlobalVariable(std::string_view name) const override {
        return context().FindGlobal(name) != nullptr;
    }

    bool IsListedWord(std::string_view name) const override {
        const vex::TLanguageInterpreter& runtime = context();
        if (runtime.RegisteringWords())
            return false;
        try {
            const int index = runtime.WordIndexOf(name);
            return index >= 0 && runtime.IsWordListed(index + 1);
        } catch (...) {
            return false;
        }
    }

    // Every listed word of the run of index entries that begin with the prefix, whichever entry
    // of the run a search lands on, then the globals.
    std::vector<std::string> CompletionCandidates(std::string_view prefix) const override {
        const vex::TLanguageInterpreter& runtime = context();
        try {
            std::vector<std::string> names = runtime.ListedWordsBeginningWith(prefix);
            for (const auto& variable : runtime.Globals().Items)
                if (beginsWith(variable->Name, prefix))
                    names.push_back(variable->Name);
            return names;
        } catch (const std::exception&) {
            return {};
        }
    }

    bool IsBlank(std::string_view source) const override {
        return vex::RemoveWhitespaceAndComments(source).empty();
    }

    vex::TRunResult Execute(std::string_view source) override { return context().Run(source); }

private:
    vex::TLanguageInterpreter& context() const { return *m_context; }

    vex::TLanguageInterpreter* const& m_context;
};

} // namespace

std::unique_ptr<TRuntimeLookup> MakeContextLookup(vex::TLanguageInterpreter* const& context) {
    return std::make_unique<TContextLookup>(context);
}
