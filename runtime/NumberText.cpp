#include "runtime/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace vex {

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Advances `pos` over a run of decimal digits and returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos - start;
}

// Checks the number grammar on the whole text: sign, mantissa with at least one digit,
// optional exponent with at least one digit, and nothing after it.
bool HasNumberShape(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t mantissaDigits = SkipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        mantissaDigits += SkipDigits(text, pos);
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        if (SkipDigits(text, pos) == 0) {
            return false;
        }
    }
    return pos == text.size();
}

// The digits and decimal exponent of a finite, non-zero magnitude rounded to 15 significant
// digits: value = 0.d1d2d3... * 10^(exponent + 1), trailing zeros removed from `digits`.
struct RoundedDigits {
    std::string digits;
    int exponent = 0;
};

RoundedDigits RoundToFifteenDigits(double magnitude) {
    // Scientific form with 14 digits after the point: "d.ddddddddddddddE+xx".
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t exponentMark = text.find('e');

    RoundedDigits rounded;
    for (std::size_t i = 0; i < exponentMark; ++i) {
        if (IsDigit(text[i])) {
            rounded.digits += text[i];
        }
    }
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0') {
        rounded.digits.pop_back();
    }
    std::string_view exponentText = text.substr(exponentMark + 1);
    if (!exponentText.empty() && exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    rounded.exponent);
    return rounded;
}

// "d.dddE<exp>" with the fraction left out when there is only one digit.
std::string ExponentForm(const RoundedDigits& rounded) {
    std::string text(1, rounded.digits[0]);
    if (rounded.digits.size() > 1) {
        text += '.';
        text.append(rounded.digits, 1);
    }
    text += 'E';
    text += std::to_string(rounded.exponent);
    return text;
}

// Plain decimal form, padding with zeros on either side of the significant digits.
std::string PlainForm(const RoundedDigits& rounded) {
    const std::string& digits = rounded.digits;
    if (rounded.exponent < 0) {
        return "0." + std::string(static_cast<std::size_t>(-rounded.exponent - 1), '0') + digits;
    }
    const std::size_t integerDigits = static_cast<std::size_t>(rounded.exponent) + 1;
    if (digits.size() <= integerDigits) {
        return digits + std::string(integerDigits - digits.size(), '0');
    }
    return digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
}

} // namespace

bool TextToNumber(std::string_view text, double& value) {
    if (!HasNumberShape(text)) {
        return false;
    }
    // from_chars takes '-' but not '+', and a '+' adds nothing to the value.
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double parsed = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

std::string FormatNumber(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0) {
        return "0";
    }
    // Whole numbers of up to 15 digits, the most common by far, are their digits.
    if (std::fabs(value) < 1e15) {
        const auto whole = static_cast<std::int64_t>(value);
        if (static_cast<double>(whole) == value) {
            char digits[24];
            const auto result = std::to_chars(digits, digits + sizeof digits, whole);
            return std::string(digits, result.ptr);
        }
    }
    const RoundedDigits rounded = RoundToFifteenDigits(std::fabs(value));
    const bool useExponent = rounded.exponent >= 15 || rounded.exponent < -5;
    const std::string magnitude = useExponent ? ExponentForm(rounded) : PlainForm(rounded);
    return value < 0 ? "-" + magnitude : magnitude;
}

} // namespace vex
