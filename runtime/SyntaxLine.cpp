#include "runtime/SyntaxLine.h"

namespace vex {

namespace {

// Placeholders e<from> to e<to>, separated by commas.
std::string Placeholders(int from, int to) {
    std::string list;
    for (int k = from; k <= to; ++k) {
        list += (k > from ? ",e" : "e") + std::to_string(k);
    }
    return list;
}

} // namespace

std::string BuildSyntaxLine(std::string_view name, int min, int max) {
    std::string line(name);
    if (min + max == 0) {
        return line;
    }
    line += min > 0 ? "(" : "{(";
    line += Placeholders(1, min);
    if (max != min && min > 0) {
        line += "{,";
    }
    if (max - min > 10) {
        line += "e" + std::to_string(min + 1) + "...e" + std::to_string(max);
    } else {
        line += Placeholders(min + 1, max);
    }
    if (min == 0) {
        line += ")}";
    } else if (min == max) {
        line += ")";
    } else {
        line += "})";
    }
    return line;
}

} // namespace vex
