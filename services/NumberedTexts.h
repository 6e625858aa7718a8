#pragma once

#include "services/LanguageManager.h"

#include <QString>

// A window's or module's list of numbered texts is one macro of rows,
//
//     #define ZT_SHELL_TEXTS(ROW) ROW(stCannotOpen, 1100, "Cannot open %1: %2") ...
//
// and these two macros turn it into an enumeration of the numbers and a function that gives a
// number's text in the current language, or the row's English text when the language module
// lacks the number:
//
//     ZT_TEXT_NUMBERS(TShellText, ZT_SHELL_TEXTS)        // in the header
//     ZT_TEXT_LOOKUP(ShellText, TShellText, ZT_SHELL_TEXTS)  // in the .cpp

#define ZT_TEXT_NUMBER_ENUMERATOR(constant, number, english) constant = number,
#define ZT_TEXT_NUMBERS(type, rows)                                                                \
    enum type : int {                                                                              \
        rows(ZT_TEXT_NUMBER_ENUMERATOR)                                                            \
    };

#define ZT_TEXT_LOOKUP_CASE(constant, number, english)                                             \
    case constant:                                                                                 \
        return TranslateText(constant, QStringLiteral(english));
#define ZT_TEXT_LOOKUP(function, type, rows)                                                       \
    QString function(type number) {                                                                \
        switch (number) { rows(ZT_TEXT_LOOKUP_CASE) }                                              \
        return {};                                                                                 \
    }
