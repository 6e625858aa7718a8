#pragma once

#include "services/NumberedTexts.h"

#include <QString>

// The numbered texts of the script editor, its panel and its tool windows that code composes,
// with their English wording, which serves when the language module lacks a number: the status
// line and the insert indicator, the captions of the editor's commands, the file filters and
// messages of its dialogs, the reasons a script file cannot be read or written, and the tool
// windows' composed entries and messages. Captions of components carry their numbers in the
// windows' layouts. One row per text: ZT_EDITING_TEXT(constant, number, English).
#define ZT_EDITING_TEXTS(ZT_EDITING_TEXT)                                                          \
    ZT_EDITING_TEXT(etExecute, 2904, "E&xecute")                                                   \
    ZT_EDITING_TEXT(etScriptFilter, 3902, "VexScript files (*.vex);;All files (*)")                \
    ZT_EDITING_TEXT(etTextFilter, 3903, "Text files (*.txt);;All files (*)")                       \
    ZT_EDITING_TEXT(etSyntaxCorrect, 3904, "The syntax is correct.")                               \
    ZT_EDITING_TEXT(etSyntaxFaulty, 3905,                                                          \
                    "The syntax check found errors; the error window lists them.")                 \
    ZT_EDITING_TEXT(etNoExample, 3906, "This word has no example.")                                \
    ZT_EDITING_TEXT(etNothingCompiled, 3907, "There is no statement to check.")                    \
    ZT_EDITING_TEXT(etCut, 3908, "Cu&t")                                                           \
    ZT_EDITING_TEXT(etCopy, 3910, "&Copy")                                                         \
    ZT_EDITING_TEXT(etPaste, 3912, "&Paste")                                                       \
    ZT_EDITING_TEXT(etWordOverview, 3918, "Word &overview")                                        \
    ZT_EDITING_TEXT(etLookUpWord, 3920, "&Look up word")                                           \
    ZT_EDITING_TEXT(etPreviousWord, 3922, "Pre&vious word")                                        \
    ZT_EDITING_TEXT(etNextWord, 3924, "&Next word")                                                \
    ZT_EDITING_TEXT(etInsertExample, 3926, "Insert e&xample")                                      \
    ZT_EDITING_TEXT(etSyntaxCheck, 3928, "&Syntax check")                                          \
    ZT_EDITING_TEXT(etSyntaxTree, 3932, "Syntax &tree")                                            \
    ZT_EDITING_TEXT(etSelectAll, 3936, "Select &all")                                              \
    ZT_EDITING_TEXT(etReplace, 3938, "&Replace...")                                                \
    ZT_EDITING_TEXT(etPrint, 3942, "&Print...")                                                    \
    ZT_EDITING_TEXT(etSaveAs, 3944, "Save &as...")                                                 \
    ZT_EDITING_TEXT(etOpen, 3946, "&Open...")                                                      \
    ZT_EDITING_TEXT(etUndo, 3948, "&Undo")                                                         \
    ZT_EDITING_TEXT(etRedo, 3950, "&Redo")                                                         \
    ZT_EDITING_TEXT(etHelp, 3952, "&Help")                                                         \
    ZT_EDITING_TEXT(etDepthColors, 3954, "&Depth colours on/off")                                  \
    ZT_EDITING_TEXT(etPasteHistory, 3956, "Paste &history")                                        \
    ZT_EDITING_TEXT(etFind, 3958, "&Find...")                                                      \
    ZT_EDITING_TEXT(etShowTraceWindow, 3960, "Show &trace window")                                 \
    ZT_EDITING_TEXT(etFindNext, 3962, "Find &next")                                                \
    ZT_EDITING_TEXT(etColoring, 3964, "&Colouring on/off")                                         \
    ZT_EDITING_TEXT(etReplaceTitle, 3972, "Replace")                                               \
    ZT_EDITING_TEXT(etPrintToFileTitle, 3986, "Print to a PDF file")                               \
    ZT_EDITING_TEXT(etPdfFilter, 3988, "PDF files (*.pdf)")                                        \
    ZT_EDITING_TEXT(etAllCategories, 4310, "All categories")                                       \
    ZT_EDITING_TEXT(etAllCreators, 4311, "All creators")                                           \
    ZT_EDITING_TEXT(etStatementFailed, 5108, "Syntax error")                                       \
    ZT_EDITING_TEXT(etStatementsLeftOut, 5110, "... %1 more statements, not shown")                \
    ZT_EDITING_TEXT(etHelpPagesMissing, 5134, "The help pages were not found. Looked in: %1")      \
    ZT_EDITING_TEXT(etLine, 9710, "Line")                                                          \
    ZT_EDITING_TEXT(etColumn, 9711, "Column")                                                      \
    ZT_EDITING_TEXT(etNotFound, 9713, "The search text was not found.")                            \
    ZT_EDITING_TEXT(etInsertMode, 9833, "INS")                                                     \
    ZT_EDITING_TEXT(etOverwriteMode, 9835, "OVR")                                                  \
    ZT_EDITING_TEXT(etFileHasNul, 9836, "it holds NUL bytes (line %1), so it is no script")        \
    ZT_EDITING_TEXT(etFileTooLarge, 9837,                                                          \
                    "it has more characters than the editor holds (%1 at most)")                   \
    ZT_EDITING_TEXT(etFileReadOnly, 9838, "the file is read-only")                                 \
    ZT_EDITING_TEXT(etUnsavableCharacter, 9839,                                                    \
                    "line %1 holds the character %2, which a script file cannot hold")

ZT_TEXT_NUMBERS(TEditingText, ZT_EDITING_TEXTS)

// The text in the current language, or the English text when the module has none.
QString EditingText(TEditingText number);
