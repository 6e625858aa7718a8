// Text functions. Texts are bytes in Windows-1252; positions count bytes from 1. Letter case is
// that of Windows-1252 (a to z and the accented letters). An argument that gives no text is
// taken as its number in the number format, so Length(12.5) is 4.

#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vex::host {

namespace {

double Concat(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TText joined = TextArg(c, n, 1);
    for (int i = 2; i <= count; ++i) {
        joined += TextArg(c, n, i).view();
    }
    text = joined;
    return 0;
}

double Length(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return static_cast<double>(TextArg(c, n, 1).size());
}

// A byte count or position argument (0 to the longest text there can be).
std::size_t SizeArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    return static_cast<std::size_t>(IntegerArg(c, n, i, 0, INT32_MAX));
}

// The size of a text a word is about to build is checked first, so that it fails before it
// builds more than the longest text.
void CheckResultSize(const TLanguageInterpreter& c, const TCallNode& n, std::size_t size) {
    if (size > kMaxTextSize) {
        WordError(c, n,
                  "the text would be longer than " + std::to_string(kMaxTextSize >> 20) +
                      " MiB, the longest text");
    }
}

double SubText(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const std::size_t start = static_cast<std::size_t>(IntegerArg(c, n, 2, 1, INT32_MAX));
    const std::size_t length = count >= 3 ? SizeArg(c, n, 3) : whole.size();
    if (start <= whole.size()) {
        text = TText(whole.view().substr(start - 1, length));
    }
    return 0;
}

double Left(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    text = TText(whole.view().substr(0, SizeArg(c, n, 2)));
    return 0;
}

double Right(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const std::size_t length = std::min(SizeArg(c, n, 2), whole.size());
    text = TText(whole.view().substr(whole.size() - length));
    return 0;
}

double Find(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const TText part = TextArg(c, n, 2);
    const std::size_t start =
        count >= 3 ? static_cast<std::size_t>(IntegerArg(c, n, 3, 1, INT32_MAX)) : 1;
    if (start > whole.size() + 1) {
        return 0;
    }
    const std::size_t at = whole.view().find(part.view(), start - 1);
    return at == std::string_view::npos ? 0 : static_cast<double>(at + 1);
}

// Windows-1252 letters: a-z and the accented ones, with the special pairs of 0x80 to 0x9F.
unsigned char ToUpper(unsigned char ch) {
    if ((ch >= 'a' && ch <= 'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)) {
        return static_cast<unsigned char>(ch - 0x20);
    }
    switch (ch) {
    case 0x9A:
    case 0x9C:
    case 0x9E:
        return static_cast<unsigned char>(ch - 0x10);
    case 0xFF:
        return 0x9F;
    default:
        return ch;
    }
}

unsigned char ToLower(unsigned char ch) {
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)) {
        return static_cast<unsigned char>(ch + 0x20);
    }
    switch (ch) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(ch + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return ch;
    }
}

template <unsigned char (*Map)(unsigned char)>
double MapCase(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    std::string bytes = TextArg(c, n, 1).str();
    for (char& ch : bytes) {
        ch = static_cast<char>(Map(static_cast<unsigned char>(ch)));
    }
    text = TText(bytes);
    return 0;
}

bool IsBlank(char ch) {
    return static_cast<unsigned char>(ch) <= ' ';
}

// Trims blanks and control characters: at the start when `left`, at the end when `right`.
template <bool left, bool right>
double Trim(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    std::string_view bytes = whole.view();
    while (left && !bytes.empty() && IsBlank(bytes.front())) {
        bytes.remove_prefix(1);
    }
    while (right && !bytes.empty() && IsBlank(bytes.back())) {
        bytes.remove_suffix(1);
    }
    text = TText(bytes);
    return 0;
}

double Replace(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const TText from = TextArg(c, n, 2);
    const TText to = TextArg(c, n, 3);
    if (from.view().empty()) {
        ArgumentError(c, n, 2, "the text to replace is empty");
    }
    std::size_t size = whole.size();
    if (to.size() > from.size()) {
        for (std::size_t at = whole.view().find(from.view()); at != std::string_view::npos;
             at = whole.view().find(from.view(), at + from.size())) {
            size += to.size() - from.size();
            CheckResultSize(c, n, size);
        }
    }
    TText result;
    if (size > 0) {
        result.reserve(size);
    }
    std::size_t done = 0;
    for (std::size_t at = whole.view().find(from.view()); at != std::string_view::npos;
         at = whole.view().find(from.view(), done)) {
        result.append(whole.view().substr(done, at - done)).append(to.view());
        done = at + from.size();
    }
    result.append(whole.view().substr(done));
    text = std::move(result);
    return 0;
}

// With digits, a fixed number of decimals ("3.14"); without, the number format.
double Str(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const double value = NumberArg(c, n, 1);
    if (count < 2 || !std::isfinite(value)) {
        text = TText(FormatNumber(value));
        return 0;
    }
    const auto digits = static_cast<int>(IntegerArg(c, n, 2, 0, 15));
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    std::string_view shown(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (shown.find_first_not_of("-0.") == std::string_view::npos) {
        shown.remove_prefix(shown.front() == '-' ? 1 : 0); // no "-0.00"
    }
    text = TText(shown);
    return 0;
}

double Val(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    std::string_view bytes = whole.view();
    while (!bytes.empty() && IsBlank(bytes.front())) {
        bytes.remove_prefix(1);
    }
    while (!bytes.empty() && IsBlank(bytes.back())) {
        bytes.remove_suffix(1);
    }
    double value = 0;
    if (TextToNumber(bytes, value)) {
        return value;
    }
    if (count >= 2) {
        return NumberArg(c, n, 2);
    }
    ArgumentError(c, n, 1, Quoted(whole.view()) + " is no number");
}

double IsNumber(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText text;
    EvaluateArg(c, n, 1, text);
    double value = 0;
    return text.empty() || TextToNumber(text.view(), value);
}

double Chr(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const char ch = static_cast<char>(IntegerArg(c, n, 1, 1, 255));
    text = TText(std::string_view(&ch, 1));
    return 0;
}

double Ord(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    if (whole.empty()) {
        ArgumentError(c, n, 1, "the text is empty");
    }
    return static_cast<unsigned char>(whole.view().front());
}

double RepeatText(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText part = TextArg(c, n, 1);
    const std::size_t times = SizeArg(c, n, 2);
    CheckResultSize(c, n,
                    part.empty() || times <= kMaxTextSize / part.size() ? part.size() * times
                                                                        : kMaxTextSize + 1);
    if (part.empty() || times == 0) {
        return 0;
    }
    TText result;
    result.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        result.append(part.view());
    }
    text = std::move(result);
    return 0;
}

// The fields of a text split at a separator; an empty text has one empty field. Field i (from
// 1) is found, and the fields are counted, without keeping the others: a long text split at a
// short separator has nearly as many fields as bytes.
std::size_t FieldCountOf(std::string_view whole, std::string_view separator) {
    std::size_t count = 1;
    for (std::size_t at = whole.find(separator); at != std::string_view::npos;
         at = whole.find(separator, at + separator.size())) {
        ++count;
    }
    return count;
}

// Field i, or false when there are fewer fields.
bool FieldAt(std::string_view whole, std::string_view separator, std::size_t i,
             std::string_view& field) {
    std::size_t start = 0;
    for (std::size_t k = 1; k < i; ++k) {
        const std::size_t at = whole.find(separator, start);
        if (at == std::string_view::npos) {
            return false;
        }
        start = at + separator.size();
    }
    field = whole.substr(start, whole.find(separator, start) - start);
    return true;
}

TText SeparatorArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText separator = TextArg(c, n, i);
    if (separator.empty()) {
        ArgumentError(c, n, i, "the separator is empty");
    }
    return separator;
}

double Field(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const TText separator = SeparatorArg(c, n, 2);
    const std::size_t i = static_cast<std::size_t>(IntegerArg(c, n, 3, 1, INT32_MAX));
    std::string_view field;
    if (FieldAt(whole.view(), separator.view(), i, field)) {
        text = TText(field);
    }
    return 0;
}

double FieldCount(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText whole = TextArg(c, n, 1);
    const TText separator = SeparatorArg(c, n, 2);
    return static_cast<double>(FieldCountOf(whole.view(), separator.view()));
}

double NewLine(int, TCallNode&, TText& text, TLanguageInterpreter&) {
    text = TText("\n");
    return 0;
}

double Tab(int, TCallNode&, TText& text, TLanguageInterpreter&) {
    text = TText("\t");
    return 0;
}

// clang-format off
const TWordRow kRows[] = {
    {100, "Concat",     "Texts", Concat,                  1, 255, "Joins texts, and numbers in their number format, into one text.", "Concat([n=],n)", true},
    {101, "Length",     "Texts", Length,                  1, 1,   "Number of characters (bytes) of a text.", "Length([abc])"},
    {102, "SubText",    "Texts", SubText,                 2, 3,   "Part of a text from a position (from 1), with a length (the rest unless given).", "SubText([abcdef],2,3)", true},
    {103, "Left",       "Texts", Left,                    2, 2,   "The first characters of a text.", "Left([abcdef],2)", true},
    {104, "Right",      "Texts", Right,                   2, 2,   "The last characters of a text.", "Right([abcdef],2)", true},
    {105, "Find",       "Texts", Find,                    2, 3,   "Position (from 1) of the first occurrence of a part in a text, searching from a position (1 unless given); 0 when there is none.", "Find([a,b,c],[,])"},
    {106, "Upper",      "Texts", MapCase<ToUpper>,        1, 1,   "The text in capital letters.", "Upper([abc])", true},
    {107, "Lower",      "Texts", MapCase<ToLower>,        1, 1,   "The text in small letters.", "Lower([ABC])", true},
    {108, "Trim",       "Texts", Trim<true, true>,        1, 1,   "The text without blanks and control characters at both ends.", "Trim([  abc  ])", true},
    {109, "TrimLeft",   "Texts", Trim<true, false>,       1, 1,   "The text without blanks and control characters at its start.", "TrimLeft([  abc])", true},
    {110, "TrimRight",  "Texts", Trim<false, true>,       1, 1,   "The text without blanks and control characters at its end.", "TrimRight([abc  ])", true},
    {111, "Replace",    "Texts", Replace,                 3, 3,   "The text with every occurrence of a part replaced by another text.", "Replace([a-b-c],[-],[+])", true},
    {112, "Str",        "Texts", Str,                     1, 2,   "A number as text: in the number format, or with a fixed number of decimals (0 to 15).", "Str(Pi,2)", true},
    {113, "Val",        "Texts", Val,                     1, 2,   "A text as a number (blanks at both ends ignored); when it is none, the second argument, or an error without one.", "Val([12.5])"},
    {114, "IsNumber",   "Texts", IsNumber,                1, 1,   "1 when the value is a number or a text that reads as one, else 0.", "IsNumber([12])"},
    {115, "Chr",        "Texts", Chr,                     1, 1,   "The one-character text of a character code (1 to 255).", "Chr(65)", true},
    {116, "Ord",        "Texts", Ord,                     1, 1,   "The character code of the first character of a text.", "Ord([A])"},
    {117, "RepeatText", "Texts", RepeatText,              2, 2,   "A text repeated a number of times.", "RepeatText([-],10)", true},
    {118, "Field",      "Texts", Field,                   3, 3,   "Field i (from 1) of a text split at a separator; empty when there are fewer fields.", "Field([a;b;c],[;],2)", true},
    {119, "FieldCount", "Texts", FieldCount,              2, 2,   "Number of fields of a text split at a separator (one more than the separators).", "FieldCount([a;b;c],[;])"},
    {120, "NewLine",    "Texts", NewLine,                 0, 0,   "A text holding one line feed.", "Concat([a],NewLine,[b])", true},
    {121, "Tab",        "Texts", Tab,                     0, 0,   "A text holding one tab character.", "Concat([a],Tab,[b])", true},
};
// clang-format on

} // namespace

std::span<const TWordRow> TextWordRows() {
    return kRows;
}

} // namespace vex::host
