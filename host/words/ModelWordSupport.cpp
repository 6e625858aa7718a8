#include "host/words/ModelWordSupport.h"

#include "host/model/HandlerKinds.h"

#include "runtime/VexScript.h"

#include <cmath>

namespace vex::host {

namespace {

constexpr std::string_view kKinds = " is no handler kind (OnEvent, OnEntry, ... OnInit or 1 to 15)";

} // namespace

std::int32_t RoundedModelInteger(const TLanguageInterpreter& context, const TCallNode& node, int i,
                                 double number, std::int32_t low, std::int32_t high) {
    const double rounded = WholeArgument(context, node, i, number);
    if (!(rounded >= low && rounded <= high)) {
        IntegerRangeError(context, node, i, rounded, low, high);
    }
    return static_cast<std::int32_t>(rounded);
}

int KindArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    std::string_view name;
    if (QuickText(context, *node.Arg(i), name)) {
        if (const int kind = HandlerKindByName(name)) {
            return kind;
        }
    }
    TValue value = ValueArg(context, node, i);
    if (value.IsText) {
        if (const int kind = HandlerKindByName(value.Text.view())) {
            return kind;
        }
        // A text that reads as a number is that number, as for every word.
        if (!TextToNumber(value.Text.view(), value.Number)) {
            ArgumentError(context, node, i, Quoted(value.Text.view()) + std::string(kKinds));
        }
    }
    if (!(value.Number >= 1 && value.Number <= kHandlerKindCount)) {
        IntegerRangeError(context, node, i, value.Number, 1, kHandlerKindCount);
    }
    if (value.Number != std::trunc(value.Number)) {
        ArgumentError(context, node, i, FormatNumber(value.Number) + std::string(kKinds));
    }
    return static_cast<int>(value.Number);
}

std::string_view NameOf(const TLanguageInterpreter& context, const TCallNode& node, int i,
                        const TValue& value) {
    if (!value.IsText) {
        ArgumentError(context, node, i,
                      "a name is needed, not the number " + FormatNumber(value.Number));
    }
    if (value.Text.empty()) {
        ArgumentError(context, node, i, "the name is empty");
    }
    return value.Text.view();
}

} // namespace vex::host
