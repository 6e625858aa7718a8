#pragma once

#include "runtime/CodeNode.h"

#include <cstdint>
#include <span>

namespace vex::host {

// One row of a built-in word table: number, name, category, implementation, argument range,
// help text and example. Word sets are declared as arrays of rows, one row per word.
struct TWordRow {
    int Number;
    const char* Name;
    const char* Category;
    TWordImpl Impl;
    int Min;
    int Max;
    const char* Help;
    const char* Example;
};

} // namespace vex::host
