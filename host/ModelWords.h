#pragma once

#include "runtime/VexWords.h"

#include <span>

namespace vex::host {

// The words of the simulation model: atoms, labels, named attributes, GUI instances, events,
// the clock, model files and the words the automation object composes. Their numbers are 600 to
// 899 and 1500 to 1667.
std::span<const TWordRow> ModelWordRows();

// Numbers of the model words other parts of the host refer to.
enum TModelWordNumber : int {
    mwLabel = 605,
    mwNamedAtt = 648,
    mwGuiInstance = 869,
    mwGuiStore = 870,
};

} // namespace vex::host
