#include "editing/RuntimeLookup.h"

#include "runtime/VexScript.h"

#include <utility>

namespace {

bool beginsWith(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && vex::SameText(name.substr(0, prefix.size()), prefix);
}

// The first entry of the sorted word index whose name begins with `prefix`, or where it would
// stand. The index is in CompareText order, so the names' starts as long as the prefix are too.
int firstEntryBeginningWith(const vex::TSimpleStringList& index, std::string_view prefix) {
    int low = 0;
    int high = index.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (vex::CompareText(std::string_view(index[middle]).substr(0, prefix.size()), prefix) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
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
        if (runtime.Registry.WordIndexDeferred)
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
        std::vector<std::string> names;
        try {
            const vex::TWordRegistry& registry = runtime.Registry;
            const vex::TSimpleStringList& index = registry.WordIndex;
            // While a batch of words is being registered the index is not sorted yet.
            if (!registry.WordIndexDeferred) {
                for (int entry = firstEntryBeginningWith(index, prefix);
                     entry < index.Count() && beginsWith(index[entry], prefix); ++entry)
                    if (runtime.IsWordListed(static_cast<int>(index.Object(entry)) + 1))
                        names.push_back(index[entry]);
            }
            for (const auto& variable : runtime.GlobalVariables.Items)
                if (beginsWith(variable->Name, prefix))
                    names.push_back(variable->Name);
        } catch (const std::exception&) {
            return {};
        }
        return names;
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
