// Fuzz target: compile and evaluate arbitrary bytes with the test word set, whose words touch
// no files, processes or clock.
//
// The first byte chooses how the script runs (bit 0: as an external request; bit 1: with the
// debug path on, without debugger services; bit 2: as a simulation run); the rest is the
// script. Every run must end (a step budget turns endless recursion into errors, a time limit
// ends loops that call no word), contain its errors and leave the context's balance as it found
// it.

#include "tests/fuzz/FuzzSupport.h"

#include "runtime/ContextParts.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t mode = data[0];
    const std::string_view source(reinterpret_cast<const char*>(data + 1), size - 1);

    vex::fuzz::TFuzzContext& context = vex::fuzz::FreshContext();
    Parts(context).Debug.DebugState = (mode & 2) ? vex::dsRun : vex::dsOff;
    Parts(context).Debug.RunOrigin = (mode & 4) ? vex::roSimulation : 0;
    vex::fuzz::ResetStepBudget();
    const vex::test::TStackBalance before = vex::test::TStackBalance::Of(context);
    vex::TText text;
    {
        const vex::fuzz::TInputWatch watch(context);
        if (mode & 1) {
            context.ExecuteExternal(source, text);
        } else {
            context.ExecuteText(source, text);
        }
    }
    vex::fuzz::CheckBalance(before, context, (mode & 1) ? "ExecuteExternal" : "ExecuteText");
    return 0;
}
