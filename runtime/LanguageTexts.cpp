#include "runtime/LanguageTexts.h"

namespace vex {

std::string_view DefaultLanguageText(int number) noexcept {
    switch (number) {
#define VEX_TEXT_CASE(constant, number, english)                                                   \
    case number:                                                                                   \
        return english;
        VEX_LANGUAGE_TEXTS(VEX_TEXT_CASE)
#undef VEX_TEXT_CASE
    }
    return {};
}

} // namespace vex
