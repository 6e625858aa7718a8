#include "editing/RuntimeLookup.h"

#include "runtime/VexScript.h"

namespace {

// The lookup over vex::GlobalContext; it exists only while the context does.
class TContextLookup final : public TRuntimeLookup {
public:
    bool IsGlobalVariable(std::string_view name) const override {
        return context().FindGlobal(name) != nullptr;
    }

    bool IsListedWord(std::string_view name) const override {
        const vex::TLanguageInterpreter& runtime = context();
        if (runtime.Registry.WordIndexDeferred)
            return false;
        try {
            const int index = runtime.WordIndexOf(name);
            const vex::TSyntax* syntax = index < 0 ? nullptr : runtime.WordSyntaxOf(index + 1);
            return syntax && syntax->Listed != 0;
        } catch (...) {
            return false;
        }
    }

    bool IsBlank(std::string_view source) const override {
        return vex::RemoveWhitespaceAndComments(source).empty();
    }

    bool Compiles(std::string_view source) override {
        vex::TCompiledCode* code = context().Compile(source);
        const bool compiled = code != nullptr;
        vex::TLanguageInterpreter::ReleaseCode(code);
        return compiled;
    }

    double Execute(std::string_view source, std::string& text) override {
        vex::TText result;
        const double number = context().ExecuteText(source, result);
        text.assign(result.data(), result.size());
        return number;
    }

private:
    static vex::TLanguageInterpreter& context() { return *vex::GlobalContext; }
};

TRuntimeLookup* installedLookup = nullptr;

} // namespace

TRuntimeLookup* CurrentRuntime() {
    static TContextLookup contextLookup;
    if (installedLookup)
        return installedLookup;
    return vex::GlobalContext ? &contextLookup : nullptr;
}

TRuntimeLookup* SetRuntimeLookup(TRuntimeLookup* lookup) {
    TRuntimeLookup* previous = installedLookup;
    installedLookup = lookup;
    return previous;
}
