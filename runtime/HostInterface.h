#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vex {

// The host application's three object-reference registers. The runtime writes the third one
// whenever a reference variable is read, and saves and restores all three around an external
// run nested in a debuggable one.
struct THostRegisters {
    std::int32_t First = 0;
    std::int32_t Second = 0;
    std::int32_t Third = 0;
};

// A host model object whose named attributes bare names in its code may denote.
class TBindingObject {
public:
    virtual ~TBindingObject() = default;
    // The object's ID and name, shown in the warning about a bound name that is also a word.
    virtual std::int32_t Id() const = 0;
    virtual std::string Name() const = 0;
    // The number of named attributes.
    virtual int NamedAttributeCount() const = 0;
    // Name of the named attribute at a position counted from 1.
    virtual std::string NamedAttributeName(int position) const = 0;
};

// A GUI instance whose stored entries bare names may denote.
class TBindingInstance {
public:
    virtual ~TBindingInstance() = default;
    // The instance's object reference (a 32-bit handle).
    virtual std::int32_t Reference() const = 0;
    // The number of leading entries marked as stored.
    virtual int StoredEntryCount() const = 0;
    // Name of the stored entry at a position counted from 1.
    virtual std::string StoredEntryName(int position) const = 0;
};

// What the runtime requires of the application it runs in. The host implements it and hands
// it to the context; tests use a small fake.
class THostInterface {
public:
    virtual ~THostInterface() = default;

    // The object-reference registers, read and written in place.
    virtual THostRegisters& Registers() = 0;

    // True while the progress display shows at least one item.
    virtual bool IsProgressActive() const = 0;
    // Advances the named progress item by `amount` (a model file being read advances
    // "t-FileRead" by the length of each piece compiled).
    virtual void AdvanceProgress(std::string_view item, std::int64_t amount) = 0;

    // The interface text of a number in the current language; empty when there is none.
    virtual std::string LanguageText(int number) const = 0;

    // Shows a modal error box with an OK button (faults of the system classes end up here).
    virtual void ShowErrorBox(const std::string& message) = 0;

    // The application's exception handler: shows the message of an exception that escaped an
    // evaluation (nothing for the silent abort signal).
    virtual void HandleException(const std::exception& error) = 0;

    // True when the first error a run reports ends the whole run (ERunStopped) instead of being
    // contained at the root of the code it happened in. Asked only when an error is reported.
    virtual bool StopsAtFirstError() const { return false; }
};

} // namespace vex
