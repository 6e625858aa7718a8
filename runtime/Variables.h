#pragma once

#include "runtime/SimpleStringList.h"
#include "runtime/Text.h"
#include "runtime/VexScript.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TLanguageInterpreter;
class TInterface;

// Bytes a variable of the kind takes in a frame of locals (0 for a kind outside 0 to 4). Text,
// reference and interface slots take the size of a pointer, so that every slot is 8 bytes on a
// 64-bit build and offsets stay consecutive in declaration order.
int FrameBytes(std::uint8_t kind) noexcept;
// A computed kind: the nearest integer, and 0 for anything outside 0 to 4.
std::uint8_t ClampKind(double value) noexcept;

// A variable record. Records never move; code trees point to them.
struct TVariable {
    // The name as declared.
    std::string Name;
    std::uint8_t Kind = vkNumber;
    // True for a local of a compiled code, false for a global.
    bool Local = false;
    // A global: the address of its own storage cell. A local: its byte offset in the frame.
    std::uintptr_t Storage = 0;
};

// A set of variables: the globals of a context, or the locals of one compiled code.
class TVariables {
public:
    TVariables() = default;
    TVariables(const TVariables&) = delete;
    TVariables& operator=(const TVariables&) = delete;
    // Frees the storage cells of the globals (releasing texts and interfaces).
    ~TVariables();

    // Records in declaration order.
    std::vector<std::unique_ptr<TVariable>> Items;
    // Bytes of frame the locals declared so far need.
    std::int32_t FrameSize = 0;
    // Locals that hold a reference to release when their frame ends (texts and interfaces).
    std::int32_t ReleasedLocals = 0;
    // Names in case-insensitive order, each with its record's position in Items as object.
    TSimpleStringList Names{true};
};

// The initial value of a global declared by the host.
struct TInitialValue {
    // The value for the variable's kind: a number, a text, a reference or an interface.
    double Number = 0;
    TText Text;
    std::int32_t Reference = 0;
    TInterface* Interface = nullptr;
};

// Returns the existing record of that name (whatever kind was asked for), or declares a new one:
// a local gets the next offset of the frame, a global its own zeroed or initialised cell.
TVariable* AddVariable(TVariables& set, std::string_view name, std::uint8_t kind,
                       const TInitialValue* initial, bool local);
// Position of the name in Items (case-insensitive), or -1.
int FindVariableIndex(const TVariables& set, std::string_view name);
// The record of that name, or none.
TVariable* FindVariable(const TVariables& set, std::string_view name);
// The number of variables in the set.
int VariableCount(const TVariables& set) noexcept;

// A valid name is not empty, does not start with a digit, has only ASCII letters, digits and
// underscores after its first character, and is not the name of a word.
bool IsValidVariableName(const TLanguageInterpreter& context, std::string_view name);

// Reads the variable stored at `address` by its kind: sets the text and returns the number;
// reading a reference also stores it into the host's third register, reading an interface
// stores it into the context's InterfaceRegister.
double ReadVariable(TLanguageInterpreter& context, std::uint8_t kind, std::uint8_t* address,
                    TText& text);
// The storage address of a variable: its cell for a global, FrameBase plus offset for a local.
std::uint8_t* VariableAddress(const TLanguageInterpreter& context, const TVariable& var) noexcept;
// Empties a variable: zero, empty text, no reference, no interface.
void ResetVariable(TLanguageInterpreter& context, const TVariable& var);

} // namespace vex
