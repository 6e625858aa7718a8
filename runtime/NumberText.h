// Conversion between numbers and their text form.
//
// Both directions work the same under every locale: the decimal separator is always '.'.

#pragma once

#include <string>
#include <string_view>

namespace vex {

// Reads a whole text as a number and stores it in `value`; returns false (leaving `value`
// untouched) when the text is not a number.
//
// Accepted form: an optional sign ('+' or '-'), decimal digits with an optional fraction after
// '.', and an optional exponent ('e' or 'E', an optional sign, at least one digit). The part
// before the exponent needs at least one digit, so "5." and ".5" are numbers but "." is not.
// Whitespace, hexadecimal forms, "inf", "nan" and trailing characters are rejected, and so are
// values whose magnitude is too large for a double or too small to be told apart from zero.
bool TextToNumber(std::string_view text, double& value);

// Writes a number the way it is shown everywhere: at most 15 significant digits, no trailing
// zeros and no decimal point for whole numbers ("5", "-12", "0.5", "3.14159265358979").
//
// Exponent form ("1E20", "1.5E-7", "-2.5E15") is used when the decimal exponent of the rounded
// value is 15 or more, or below -5. Negative zero is written "0", a NaN "NAN" and the
// infinities "INF" and "-INF".
std::string FormatNumber(double value);

} // namespace vex
