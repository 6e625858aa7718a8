#pragma once

#include <QString>

// The numbered texts the editor's tool windows compose at run time, with their English wording,
// which serves when the language module lacks a number. Captions of components carry their
// numbers in the windows' layouts. One row per text: ZT_EDITING_TEXT(constant, number, English).
#define ZT_EDITING_TEXTS(ZT_EDITING_TEXT)                                                          \
    ZT_EDITING_TEXT(etAllCategories, 4310, "All categories")                                       \
    ZT_EDITING_TEXT(etAllCreators, 4311, "All creators")                                           \
    ZT_EDITING_TEXT(etStatementFailed, 5108, "Syntax error")                                       \
    ZT_EDITING_TEXT(etStatementsLeftOut, 5110, "... %1 more statements, not shown")                \
    ZT_EDITING_TEXT(etHelpPagesMissing, 5134, "The help pages were not found. Looked in: %1")

enum TEditingText : int {
#define ZT_EDITING_TEXT_ENUM(constant, number, english) constant = number,
    ZT_EDITING_TEXTS(ZT_EDITING_TEXT_ENUM)
#undef ZT_EDITING_TEXT_ENUM
};

// The text in the current language, or the English text when the module has none.
QString EditingText(TEditingText number);
