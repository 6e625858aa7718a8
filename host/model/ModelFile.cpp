#include "host/model/ModelFile.h"

#include "host/ScriptCodePage.h"
#include "host/TextFiles.h"
#include "host/model/Model.h"
#include "host/model/ModelServices.h"
#include "platform/AtomicWrite.h"

#include "runtime/VexScript.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

// Sections:
//   [constants]  texts and numbers written so that they read back exactly
//   [writing]    the model as a script
//   [saving]     the atomic write
//   [reading]    statements of a script file

namespace vex::host {

namespace {

// [constants] ---------------------------------------------------------------------------------

bool NeedsEscape(std::string_view text) {
    int depth = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 32 || byte == 127) {
            return true;
        }
        depth += ch == '[' ? 1 : ch == ']' ? -1 : 0;
        if (depth < 0) {
            return true;
        }
    }
    return depth != 0;
}

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string TextConstant(std::string_view text) {
    if (!NeedsEscape(text)) {
        return "[" + std::string(text) + "]";
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped = "FileText([";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 32 || byte == 127 || ch == '%' || ch == '[' || ch == ']') {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        } else {
            escaped += ch;
        }
    }
    return escaped + "])";
}

std::string DecodeFileText(std::string_view escaped) {
    std::string text;
    text.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const bool pair = escaped[i] == '%' && i + 2 < escaped.size() &&
                          HexValue(escaped[i + 1]) >= 0 && HexValue(escaped[i + 2]) >= 0;
        if (pair) {
            text += static_cast<char>(HexValue(escaped[i + 1]) * 16 + HexValue(escaped[i + 2]));
            i += 2;
        } else {
            text += escaped[i];
        }
    }
    return text;
}

std::string NumberConstant(double value) {
    if (std::isnan(value)) {
        return "FileNumber([nan])";
    }
    if (std::isinf(value)) {
        return value > 0 ? "FileNumber([inf])" : "FileNumber([-inf])";
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// [writing] -----------------------------------------------------------------------------------

void WriteValues(std::ostringstream& out, const char* word, int index, const TNamedValues& list) {
    for (const TNamedValue& item : list.Items) {
        out << word << '(' << index << ',' << TextConstant(item.Name) << ','
            << NumberConstant(item.Value.Number) << ',' << TextConstant(item.Value.Text.view())
            << ")\n";
    }
}

void WriteAtomContents(std::ostringstream& out, int index, const TAtom& atom) {
    WriteValues(out, "LoadAtt", index, atom.Attributes());
    WriteValues(out, "LoadLabel", index, atom.Labels());
    for (int kind = 1; kind <= kHandlerKindCount; ++kind) {
        const std::string& text = atom.Handler(kind).Text;
        if (!text.empty()) {
            out << "LoadHandler(" << index << ",[" << HandlerKindName(kind) << "],"
                << TextConstant(text) << ")\n";
        }
    }
}

} // namespace

std::string ModelFileText(const TModel& model) {
    std::ostringstream out;
    const TAtom& root = *model.FindAtom(model.Root());
    out << "{ Zentaro model file }\n";
    out << "ModelFile(1," << TextConstant(root.AtomName()) << ',' << NumberConstant(model.Clock())
        << ")\n";
    WriteAtomContents(out, 0, root);
    std::map<std::int32_t, int> indexOf{{model.Root(), 0}};
    for (std::int32_t handle : model.Subtree(model.Root())) {
        if (handle == model.Root()) {
            continue;
        }
        const TAtom& atom = *model.FindAtom(handle);
        const int index = static_cast<int>(indexOf.size());
        indexOf[handle] = index;
        out << "LoadAtom(" << index << ',' << indexOf.at(atom.Mother()) << ','
            << TextConstant(atom.AtomName()) << ',' << atom.AtomId() << ")\n";
        WriteAtomContents(out, index, atom);
    }
    for (const TEvent& event : model.Events().Events()) {
        const auto atom = indexOf.find(event.Atom);
        if (event.Atom != 0 && atom == indexOf.end()) {
            continue;
        }
        const auto involved = indexOf.find(event.Involved);
        out << "LoadEvent(" << NumberConstant(event.Time) << ',' << event.Code << ','
            << event.Priority << ',' << (atom == indexOf.end() ? -1 : atom->second) << ','
            << (involved == indexOf.end() ? -1 : involved->second) << ")\n";
    }
    return out.str();
}

// [saving] ------------------------------------------------------------------------------------

namespace {

[[noreturn]] void SaveFailed(std::string_view word, const std::string& path, int error) {
    throw EVexError(std::string(word) + ": cannot save the model as \"" + path +
                    "\": " + std::strerror(error));
}

} // namespace

void SaveModelFile(const TModel& model, const std::string& path, std::string_view word) {
    const zentaro::platform::TWriteResult written =
        zentaro::platform::WriteFileAtomically(ScriptToUtf8(path), ModelFileText(model));
    if (!written) {
        SaveFailed(word, path, written.Error.value());
    }
}

// [reading] -----------------------------------------------------------------------------------

namespace {

// Follows the nesting that keeps a line break from ending a statement: parentheses, text
// constants and comments, each opening with its offset while it is open.
class TStatementNesting {
public:
    struct TOpening {
        char Character;
        std::size_t Offset;
    };

    // Takes the character at `offset`; true for a line break that ends a statement.
    bool Step(char ch, std::size_t offset) {
        if (!m_brackets.empty()) {
            Track(m_brackets, '[', ']', ch, offset);
        } else if (!m_braces.empty()) {
            Track(m_braces, '{', '}', ch, offset);
        } else if (ch == '[') {
            m_brackets.push_back({ch, offset});
        } else if (ch == '{') {
            m_braces.push_back({ch, offset});
        } else if (ch == '(') {
            m_parentheses.push_back({ch, offset});
        } else if (ch == ')') {
            if (!m_parentheses.empty()) {
                m_parentheses.pop_back();
            }
        } else if (ch == '\n' && m_parentheses.empty()) {
            return true;
        }
        return false;
    }
    bool Open() const noexcept {
        return !m_parentheses.empty() || !m_brackets.empty() || !m_braces.empty();
    }
    // The opening that holds the text now: a text constant or comment, else the last
    // parenthesis. Only while Open().
    TOpening Innermost() const {
        return !m_brackets.empty() ? m_brackets.back()
               : !m_braces.empty() ? m_braces.back()
                                   : m_parentheses.back();
    }
    // The earliest opening still open. Only while Open().
    std::size_t FirstOffset() const {
        std::size_t first = std::string_view::npos;
        for (const auto* open : {&m_parentheses, &m_brackets, &m_braces}) {
            if (!open->empty()) {
                first = std::min(first, open->front().Offset);
            }
        }
        return first;
    }

private:
    static void Track(std::vector<TOpening>& open, char opening, char closing, char ch,
                      std::size_t offset) {
        if (ch == opening) {
            open.push_back({ch, offset});
        } else if (ch == closing) {
            open.pop_back();
        }
    }

    std::vector<TOpening> m_parentheses;
    std::vector<TOpening> m_brackets;
    std::vector<TOpening> m_braces;
};

bool IsAsciiLetter(char ch) noexcept {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// The offset of the first line after `from` that starts with a letter; npos without one.
std::size_t NextStatementStart(std::string_view script, std::size_t from) {
    for (std::size_t i = script.find('\n', from); i != std::string_view::npos;
         i = script.find('\n', i + 1)) {
        if (i + 1 < script.size() && IsAsciiLetter(script[i + 1])) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// Line and column of `offset` in a statement that starts at `start` on `startLine`.
void PlaceOf(std::string_view script, std::size_t start, int startLine, std::size_t offset,
             int& line, int& column) {
    line = startLine;
    std::size_t lineStart = start;
    for (std::size_t i = start; i < offset; ++i) {
        if (script[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    column = static_cast<int>(offset - lineStart) + 1;
}

// Each broken statement has the rest of the script read again; past this many the rest stays one
// statement, which keeps the reading of any script linear in its length.
constexpr int kMaxBrokenStatements = 100;

// The broken statement that starts at `start` on `startLine` and runs to the end of the script,
// where the opening at `firstOpen` is still open: cut before the next statement's line, with its
// unclosed opening. Gives where the reading goes on (the script's size when it does not).
std::size_t CutBrokenStatement(std::string_view script, std::size_t start, int startLine,
                               std::size_t firstOpen, bool mayCut,
                               std::vector<TStatement>& statements) {
    const std::size_t next =
        mayCut ? NextStatementStart(script, firstOpen) : std::string_view::npos;
    const std::size_t end = next == std::string_view::npos ? script.size() : next;
    // What is open where the statement now ends.
    TStatementNesting atEnd;
    for (std::size_t i = start; i < end; ++i) {
        atEnd.Step(script[i], i);
    }
    TStatement& statement = statements.emplace_back();
    const std::size_t textEnd = end < script.size() ? end - 1 : end;
    statement.Text = std::string(script.substr(start, textEnd - start));
    statement.Line = startLine;
    const TStatementNesting::TOpening opening = atEnd.Innermost();
    statement.Unclosed.Opening = opening.Character;
    PlaceOf(script, start, startLine, opening.Offset, statement.Unclosed.Line,
            statement.Unclosed.Column);
    if (next != std::string_view::npos) {
        int column = 0;
        PlaceOf(script, start, startLine, next, statement.Unclosed.NextLine, column);
    }
    return end;
}

} // namespace

std::string TStatement::UnclosedMessage() const {
    const char* what = Unclosed.Opening == '['   ? " (a text constant)"
                       : Unclosed.Opening == '{' ? " (a comment)"
                                                 : "";
    std::string message = std::string("'") + Unclosed.Opening + "'" + what + " opened at line " +
                          std::to_string(Unclosed.Line) + ", column " +
                          std::to_string(Unclosed.Column) + " is never closed";
    if (Unclosed.NextLine != 0) {
        message += "; the statement ends before line " + std::to_string(Unclosed.NextLine) +
                   ", which starts a new one";
    }
    return message;
}

std::vector<TStatement> ScriptStatements(std::string_view script) {
    std::vector<TStatement> statements;
    std::size_t start = 0;
    int startLine = 1;
    int broken = 0;
    while (start < script.size()) {
        TStatementNesting nesting;
        int line = startLine;
        for (std::size_t i = start; i < script.size(); ++i) {
            const char ch = script[i];
            if (nesting.Step(ch, i)) {
                statements.push_back({std::string(script.substr(start, i - start)), startLine, {}});
                start = i + 1;
                startLine = line + 1;
            }
            line += ch == '\n' ? 1 : 0;
        }
        if (!nesting.Open()) {
            if (start < script.size()) {
                statements.push_back({std::string(script.substr(start)), startLine, {}});
            }
            break;
        }
        ++broken;
        const std::size_t end = CutBrokenStatement(script, start, startLine, nesting.FirstOffset(),
                                                   broken < kMaxBrokenStatements, statements);
        if (end < script.size()) {
            startLine = statements.back().Unclosed.NextLine;
        }
        start = end;
    }
    return statements;
}

std::vector<std::string> SplitStatements(std::string_view script) {
    std::vector<std::string> texts;
    for (TStatement& statement : ScriptStatements(script)) {
        texts.push_back(std::move(statement.Text));
    }
    return texts;
}

bool EndsInsideStatement(std::string_view script) {
    TStatementNesting nesting;
    for (std::size_t i = 0; i < script.size(); ++i) {
        nesting.Step(script[i], i);
    }
    return nesting.Open();
}

} // namespace vex::host
