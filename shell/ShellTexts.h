#pragma once

#include <QString>

// The numbered texts the shell composes its messages from, with their English wording, which
// serves when the language module lacks a number. The main window's own captions carry their
// numbers in MainWindow.ui. One row per text: ZT_SHELL_TEXT(constant, number, English text).
#define ZT_SHELL_TEXTS(ZT_SHELL_TEXT)                                                              \
    ZT_SHELL_TEXT(stCannotOpen, 1100, "Cannot open %1: %2")                                        \
    ZT_SHELL_TEXT(stCannotRead, 1101, "Cannot read %1: %2")                                        \
    ZT_SHELL_TEXT(stScriptTitle, 1102, "%1 - Zentaro")                                             \
    ZT_SHELL_TEXT(stOpenScriptTitle, 1103, "Open Script")                                          \
    ZT_SHELL_TEXT(stScriptFilter, 1104, "VexScript files (*.vex);;All files (*)")                  \
    ZT_SHELL_TEXT(stAboutTitle, 1105, "About Zentaro")                                             \
    ZT_SHELL_TEXT(stAboutText, 1106, "Zentaro %1\nScript editor and debugger for VexScript.")      \
    ZT_SHELL_TEXT(stReady, 1107, "Ready")                                                          \
    ZT_SHELL_TEXT(stErrorTitle, 1108, "Error")

enum TShellText : int {
#define ZT_SHELL_TEXT_ENUM(constant, number, english) constant = number,
    ZT_SHELL_TEXTS(ZT_SHELL_TEXT_ENUM)
#undef ZT_SHELL_TEXT_ENUM
};

// The text in the current language, or the English text when the module has none.
QString ShellText(TShellText number);
