// Fuzz target: source preparation and compile of arbitrary bytes.
//
// Every rewrite of the source preparation and the parser see the input as it is; the compile
// must end with a code or with reported errors, and leave the context's balance unchanged.

#include "tests/fuzz/FuzzSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/SourcePreparation.h"
#include "runtime/VexScript.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);

    const std::string prepared = vex::RemoveWhitespaceAndComments(source);
    vex::ConvertOperators(prepared);
    std::string rewritten;
    vex::RewriteLabel(prepared, rewritten);
    vex::UnwrapProtectedCode(prepared, rewritten);

    vex::fuzz::TFuzzContext& context = vex::fuzz::FreshContext();
    Parts(context).ProtectedCode = true;
    vex::fuzz::ResetStepBudget();
    const vex::test::TStackBalance before = vex::test::TStackBalance::Of(context);
    vex::TCompiledCode* code = nullptr;
    bool aborted = false;
    {
        // A declaration's kind is evaluated while compiling, and it may loop until it is asked
        // to end.
        const vex::fuzz::TInputWatch watch(context);
        try {
            code = context.Compile(source);
        } catch (const vex::ERunAborted&) {
            aborted = true;
        }
    }
    vex::fuzz::CheckBalance(before, context, "Compile");
    if (!code && !aborted && context.Errors.empty()) {
        std::fprintf(stderr, "the compile failed without reporting an error\n");
        std::abort();
    }
    context.ReleaseCode(code);
    return 0;
}
