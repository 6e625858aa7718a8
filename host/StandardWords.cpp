#include "host/StandardWords.h"

#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vex::host {

namespace {

// The creator of every standard word.
constexpr std::string_view kCreator = "Zentaro";

// Categories a word overview offers even before a word uses them: those that the category
// spellings of older scripts are normalised to.
const char* const kFixedCategories[] = {"Various",       "Visualization",  "Atom Parameters",
                                        "Atom Position", "Atom Reference", "Atom Status"};

std::array<std::span<const TWordRow>, 15> Tables() {
    return {OperatorWordRows(),   ControlWordRows(),   MathWordRows(),           TextWordRows(),
            VariableWordRows(),   UserWordRows(),      TraceWordRows(),          FileWordRows(),
            RandomWordRows(),     ModelAtomWordRows(), ModelValueWordRows(),     ModelGuiWordRows(),
            ModelEventWordRows(), ModelFileWordRows(), ModelAutomationWordRows()};
}

std::string AsciiLower(std::string_view name) {
    std::string lower(name);
    for (char& ch : lower) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return lower;
}

// Every row by its number. A number out of range or taken twice, or a name given twice (names
// are looked up without regard to case), is a fault in the tables.
std::vector<const TWordRow*> RowsByNumber() {
    std::vector<const TWordRow*> byNumber(kBuiltInWordCount + 1, nullptr);
    std::set<std::string> names;
    for (std::span<const TWordRow> table : Tables()) {
        for (const TWordRow& row : table) {
            if (row.Number < 1 || row.Number > kBuiltInWordCount || byNumber[row.Number] ||
                !names.insert(AsciiLower(row.Name)).second) {
                throw std::logic_error("word number " + std::to_string(row.Number) + " \"" +
                                       row.Name +
                                       "\": number out of range or taken twice, or name taken "
                                       "twice");
            }
            byNumber[row.Number] = &row;
        }
    }
    return byNumber;
}

const std::vector<const TWordRow*>& Rows() {
    static const std::vector<const TWordRow*> rows = RowsByNumber();
    return rows;
}

double Reserved(int, TCallNode& n, TText&, TLanguageInterpreter&) {
    throw EVexError(
        "word number " + std::to_string(n.WordNumber) + " is reserved: no word has it yet", n);
}

} // namespace

const std::array<bool, kBuiltInWordCount + 1> WordGivesTextTable = [] {
    std::array<bool, kBuiltInWordCount + 1> givesText{};
    const auto& rows = Rows();
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        givesText[static_cast<std::size_t>(number)] = rows[number] && rows[number]->GivesText;
    }
    return givesText;
}();

int RealWordCount() {
    int count = 0;
    for (const TWordRow* row : Rows()) {
        count += row != nullptr;
    }
    return count;
}

void RegisterStandardWords(TLanguageInterpreter& context) {
    for (const char* category : kFixedCategories) {
        context.AddCategory(category);
    }
    const auto& rows = Rows();
    const TWordBatch batch(context, kBuiltInWordCount);
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        if (const TWordRow* row = rows[number]) {
            context.AddCategory(row->Category);
            context.RegisterBuiltInWord(*row, kCreator);
            continue;
        }
        const std::string name = "Reserved" + std::to_string(number);
        context.RegisterBuiltInWord({number, name.c_str(), "Various", Reserved, 0, 255,
                                     "A word number no word has yet.", "", false, 0},
                                    kCreator);
    }
}

} // namespace vex::host
