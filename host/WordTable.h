#pragma once

#include "runtime/CodeNode.h"

#include <cstdint>
#include <span>

namespace vex::host {

// One row of a built-in word table: number, name, category, implementation, argument range,
// help text and example, and whether the word's result is a text. Word sets are declared as
// arrays of rows, one row per word.
//
// A word that gives a text also when that text is empty sets GivesText: an empty result of it
// then still counts as a text for the operators and text arguments ("+" joins, Concat adds
// nothing), where the empty result of another word counts as its number.
struct TWordRow {
    int Number;
    const char* Name;
    const char* Category;
    TWordImpl Impl;
    int Min;
    int Max;
    const char* Help;
    const char* Example;
    bool GivesText = false;
};

} // namespace vex::host
