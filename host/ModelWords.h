#pragma once

#include "host/WordTable.h"

#include <span>

namespace vex::host {

// The words of the simulation model: atoms, labels, events, the clock, model files.
std::span<const TWordRow> ModelWordRows();

} // namespace vex::host
