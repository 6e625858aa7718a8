#pragma once

#include <string_view>

namespace vex {

// The interface texts the runtime composes its messages from, by number, with their English
// wording. Language modules translate them under the same numbers; hosts without a language
// module use these. One row per text: VEX_TEXT(constant, number, English text).
#define VEX_LANGUAGE_TEXTS(VEX_TEXT)                                                               \
    VEX_TEXT(ltDefaultCreator, 3001, "User")                                                       \
    VEX_TEXT(ltBuiltInWord, 3002, "Cannot redefine the built-in word")                             \
    VEX_TEXT(ltBuiltInWordEnd, 3003, "as a user-defined word.")                                    \
    VEX_TEXT(ltCannotRegister, 3004, "Cannot register the word")                                   \
    VEX_TEXT(ltUnknownCategory, 3005, "in the category")                                           \
    VEX_TEXT(ltUnknownCategoryEnd, 3006, "because no such category exists.")                       \
    VEX_TEXT(ltBoundNameIsWord, 3007, "Warning: the name")                                         \
    VEX_TEXT(ltBoundNameIsWordEnd, 3008, "is also a word; the attribute is used.")                 \
    VEX_TEXT(ltUnknownWord, 3009, "Unknown word")                                                  \
    VEX_TEXT(ltUnknownWordIn, 3010, "in:")                                                         \
    VEX_TEXT(ltTooManyArguments, 3011, "Too many arguments (more than 255) for")                   \
    VEX_TEXT(ltTooManyArgumentsIn, 3012, "in:")                                                    \
    VEX_TEXT(ltArgument, 3013, "argument")                                                         \
    VEX_TEXT(ltArguments, 3014, "arguments")                                                       \
    VEX_TEXT(ltExpected, 3015, "expected")                                                         \
    VEX_TEXT(ltOrMore, 3016, "or more")                                                            \
    VEX_TEXT(ltAtMost, 3017, "at most")                                                            \
    VEX_TEXT(ltWrongCount, 3018, "The word")                                                       \
    VEX_TEXT(ltWrongCountGiven, 3019, "was given")                                                 \
    VEX_TEXT(ltWrongCountIn, 3020, "in:")                                                          \
    VEX_TEXT(ltGroupError, 3021, "Error in")                                                       \
    VEX_TEXT(ltGroupErrorText, 3022, "the operation could not be completed.")                      \
    VEX_TEXT(ltRuntimeError, 3023, "Error in")                                                     \
    VEX_TEXT(ltErrorWhileReporting, 3024, "An error occurred while reporting an error:")           \
    VEX_TEXT(ltObject, 3030, "Object")                                                             \
    VEX_TEXT(ltObjectId, 3031, "ID ")                                                              \
    VEX_TEXT(ltAskStop, 3034, "The run has been interrupted.")                                     \
    VEX_TEXT(ltAskStopQuestion, 3035, "Do you want to stop it?")                                   \
    VEX_TEXT(ltAskDebug, 3036, "The run has been interrupted.")                                    \
    VEX_TEXT(ltAskDebugYesNo, 3037, "Yes: debug it step by step. No: stop it.")                    \
    VEX_TEXT(ltAskDebugCancel, 3038, "Cancel: let it go on.")                                      \
    VEX_TEXT(ltEmptyWordName, 3039, "A word needs a name.")                                        \
    VEX_TEXT(ltNestedTooDeep, 3040, "Expression nested too deeply (more than 500 levels) in:")

enum TLanguageText : int {
#define VEX_TEXT_ENUM(constant, number, english) constant = number,
    VEX_LANGUAGE_TEXTS(VEX_TEXT_ENUM)
#undef VEX_TEXT_ENUM
};

// The English text of a number; empty for a number the runtime does not know.
std::string_view DefaultLanguageText(int number) noexcept;

} // namespace vex
