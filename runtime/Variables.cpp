#include "runtime/Variables.h"
#include "runtime/ContextParts.h"

#include "runtime/AutomationInterface.h"
#include "runtime/VexScript.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vex {

namespace {

// Every storage cell and frame slot is 8 bytes wide on a 64-bit build, so slots stay aligned.
constexpr std::size_t kCellSize = 8;
static_assert(sizeof(void*) <= kCellSize);
static_assert(sizeof(TText) <= kCellSize && sizeof(TInterface*) <= kCellSize);

TText& textAt(std::uint8_t* address) noexcept {
    return *reinterpret_cast<TText*>(address);
}
TInterface*& interfaceAt(std::uint8_t* address) noexcept {
    return *reinterpret_cast<TInterface**>(address);
}

void fillCell(std::uint8_t* cell, std::uint8_t kind, const TInitialValue& initial) {
    switch (kind) {
    case vkNumber:
    case vkEightByte:
        std::memcpy(cell, &initial.Number, sizeof(double));
        break;
    case vkText:
        new (cell) TText(initial.Text);
        break;
    case vkReference:
        std::memcpy(cell, &initial.Reference, sizeof(std::int32_t));
        break;
    case vkInterface:
        if (initial.Interface) {
            initial.Interface->AddRef();
        }
        interfaceAt(cell) = initial.Interface;
        break;
    default:
        break;
    }
}

// Releases what a cell or slot of the kind holds and leaves it zeroed.
void emptyStorage(std::uint8_t* address, std::uint8_t kind) noexcept {
    switch (kind) {
    case vkText:
        textAt(address).clear();
        break;
    case vkInterface:
        if (TInterface* object = interfaceAt(address)) {
            interfaceAt(address) = nullptr;
            object->Release();
        }
        break;
    case vkNumber:
    case vkEightByte:
    case vkReference:
        std::memset(address, 0, kCellSize);
        break;
    default:
        break;
    }
}

} // namespace

int FrameBytes(std::uint8_t kind) noexcept {
    switch (kind) {
    case vkNumber:
    case vkEightByte:
        return 8;
    case vkText:
    case vkReference:
    case vkInterface:
        return static_cast<int>(sizeof(void*));
    default:
        return 0;
    }
}

std::uint8_t ClampKind(double value) noexcept {
    const double rounded = std::nearbyint(value);
    return (rounded >= 0 && rounded <= 4) ? static_cast<std::uint8_t>(rounded)
                                          : std::uint8_t{vkNumber};
}

TVariables::~TVariables() {
    for (const auto& var : Items) {
        if (!var->Local && var->Storage) {
            auto* cell = reinterpret_cast<std::uint8_t*>(var->Storage);
            emptyStorage(cell, var->Kind);
            std::free(cell);
        }
    }
}

TVariable* AddVariable(TVariables& set, std::string_view name, std::uint8_t kind,
                       const TInitialValue* initial, bool local) {
    if (TVariable* existing = FindVariable(set, name)) {
        return existing;
    }
    auto var = std::make_unique<TVariable>();
    var->Name = std::string(name);
    var->Kind = kind;
    var->Local = local;
    if (local) {
        var->Storage = static_cast<std::uintptr_t>(set.FrameSize);
        set.FrameSize += FrameBytes(kind);
        set.ReleasedLocals += kind == vkText || kind == vkInterface;
    } else if (FrameBytes(kind) > 0) {
        void* cell = std::calloc(1, kCellSize);
        if (!cell) {
            throw std::bad_alloc();
        }
        if (initial) {
            fillCell(static_cast<std::uint8_t*>(cell), kind, *initial);
        }
        var->Storage = reinterpret_cast<std::uintptr_t>(cell);
    }
    set.Items.push_back(std::move(var));
    const int position = static_cast<int>(set.Items.size()) - 1;
    int index = 0;
    set.Names.Find(name, index);
    set.Names.Insert(index, name, position);
    return set.Items.back().get();
}

int FindVariableIndex(const TVariables& set, std::string_view name) {
    int index = 0;
    return set.Names.Find(name, index) ? static_cast<int>(set.Names.Object(index)) : -1;
}

TVariable* FindVariable(const TVariables& set, std::string_view name) {
    const int position = FindVariableIndex(set, name);
    return position < 0 ? nullptr : set.Items[static_cast<std::size_t>(position)].get();
}

int VariableCount(const TVariables& set) noexcept {
    return static_cast<int>(set.Items.size());
}

bool IsValidVariableName(const TLanguageInterpreter& context, std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) {
        return false;
    }
    for (std::size_t i = 1; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '_') {
            return false;
        }
    }
    return context.WordIndexOf(name) < 0;
}

std::uint8_t* VariableAddress(const TLanguageInterpreter& context, const TVariable& var) noexcept {
    if (var.Local) {
        return Parts(context).Stack.FrameBase ? Parts(context).Stack.FrameBase + var.Storage
                                              : nullptr;
    }
    return reinterpret_cast<std::uint8_t*>(var.Storage);
}

namespace {

// A text variable's value is a text also when it is empty (TText::EmptyText). Out of line, so
// that the reads of the other kinds keep their short way.
[[gnu::noinline]] double ReadTextVariable(std::uint8_t* address, TText& text) {
    const TText& stored = textAt(address);
    text = stored.IsText() ? stored : TText::EmptyText();
    return 0;
}

} // namespace

double ReadVariable(TLanguageInterpreter& context, std::uint8_t kind, std::uint8_t* address,
                    TText& text) {
    if (!address) {
        text.clear();
        return 0;
    }
    switch (kind) {
    case vkNumber:
    case vkEightByte: {
        double value;
        std::memcpy(&value, address, sizeof(double));
        text.clear();
        return value;
    }
    case vkText:
        return ReadTextVariable(address, text);
    case vkReference: {
        std::int32_t reference;
        std::memcpy(&reference, address, sizeof(std::int32_t));
        text.clear();
        context.Host().Registers().Third = reference;
        return reference;
    }
    case vkInterface: {
        TInterface* object = interfaceAt(address);
        text.clear();
        Parts(context).InterfaceRegister = TInterfaceRef::Share(object);
        return object ? object->Handle() : 0;
    }
    default:
        text.clear();
        return 0;
    }
}

void ResetVariable(TLanguageInterpreter& context, const TVariable& var) {
    std::uint8_t* address = VariableAddress(context, var);
    if (!address) {
        return;
    }
    if (var.Kind == vkNumber || var.Kind == vkEightByte) {
        std::memset(address, 0, kCellSize);
        return;
    }
    if (var.Kind == vkInterface) {
        Parts(context).InterfaceRegister.reset();
    }
    emptyStorage(address, var.Kind);
}

} // namespace vex
