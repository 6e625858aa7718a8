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
// constants and comments.
class TStatementNesting {
public:
    // Takes the next character; true for a line break that ends a statement.
    bool Step(char ch) {
        if (m_brackets > 0) {
            m_brackets += ch == '[' ? 1 : ch == ']' ? -1 : 0;
        } else if (m_braces > 0) {
            m_braces += ch == '{' ? 1 : ch == '}' ? -1 : 0;
        } else if (ch == '[') {
            m_brackets = 1;
        } else if (ch == '{') {
            m_braces = 1;
        } else if (ch == '(') {
            ++m_parentheses;
        } else if (ch == ')') {
            m_parentheses = std::max(0, m_parentheses - 1);
        } else if (ch == '\n' && m_parentheses == 0) {
            return true;
        }
        return false;
    }
    bool Open() const noexcept { return m_parentheses > 0 || m_brackets > 0 || m_braces > 0; }

private:
    int m_parentheses = 0;
    int m_brackets = 0;
    int m_braces = 0;
};

} // namespace

std::vector<TStatement> ScriptStatements(std::string_view script) {
    std::vector<TStatement> statements;
    TStatementNesting nesting;
    std::size_t start = 0;
    int line = 1;
    int startLine = 1;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char ch = script[i];
        if (nesting.Step(ch)) {
            statements.push_back({std::string(script.substr(start, i - start)), startLine});
            start = i + 1;
            startLine = line + 1;
        }
        line += ch == '\n' ? 1 : 0;
    }
    if (start < script.size()) {
        statements.push_back({std::string(script.substr(start)), startLine});
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
    for (const char ch : script) {
        nesting.Step(ch);
    }
    return nesting.Open();
}

} // namespace vex::host
