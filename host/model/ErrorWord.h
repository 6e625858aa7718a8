#pragma once

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vex::host {

// The word a model operation names in its errors: a name given as text, or a word of a context
// by its number. A word's name is looked up only when an error is raised, so that the model words
// hand it on at every call for the price of two stores, and the lookup sees the names as they are
// then (a script may have registered words since). Passed by value in two registers; it holds a
// view of the text or the context, which must outlive the operation it is given to.
class TErrorWord {
public:
    TErrorWord(std::string_view name) noexcept
        : m_text(name.data())
        , m_size(static_cast<std::uint32_t>(name.size())) {}
    TErrorWord(const char* name) noexcept
        : TErrorWord(std::string_view(name)) {}
    TErrorWord(const std::string& name) noexcept
        : TErrorWord(std::string_view(name)) {}
    TErrorWord(const TLanguageInterpreter& context, int wordNumber) noexcept
        : m_context(&context)
        , m_wordNumber(wordNumber) {}

    // The name the error shows. A text given is cut at 4 GB, far beyond any word's name.
    std::string Name() const;

private:
    union {
        const char* m_text;
        const TLanguageInterpreter* m_context;
    };
    std::uint32_t m_size = 0;
    // The word's number (from 1) when a context's word is meant, 0 for a name given as text.
    std::int32_t m_wordNumber = 0;
};

} // namespace vex::host
