#pragma once

#include "services/NumberedTexts.h"

#include <QString>

// The numbered texts of the script editor and its panel, with their English wording, which
// serves when the language module lacks a number: the status line, the insert indicator, the
// captions of the editor's commands, the file filters and messages of its dialogs, and the
// reasons a script file cannot be read or written. One row per text:
// ZT_EDITOR_TEXT(constant, number, English text).
#define ZT_EDITOR_TEXTS(ZT_EDITOR_TEXT)                                                            \
    ZT_EDITOR_TEXT(etExecute, 2904, "E&xecute")                                                    \
    ZT_EDITOR_TEXT(etScriptFilter, 3902, "VexScript files (*.vex);;All files (*)")                 \
    ZT_EDITOR_TEXT(etTextFilter, 3903, "Text files (*.txt);;All files (*)")                        \
    ZT_EDITOR_TEXT(etSyntaxCorrect, 3904, "The syntax is correct.")                                \
    ZT_EDITOR_TEXT(etSyntaxFaulty, 3905,                                                           \
                   "The syntax check found errors; the error window lists them.")                  \
    ZT_EDITOR_TEXT(etNoExample, 3906, "This word has no example.")                                 \
    ZT_EDITOR_TEXT(etCut, 3908, "Cu&t")                                                            \
    ZT_EDITOR_TEXT(etCopy, 3910, "&Copy")                                                          \
    ZT_EDITOR_TEXT(etPaste, 3912, "&Paste")                                                        \
    ZT_EDITOR_TEXT(etWordOverview, 3918, "Word &overview")                                         \
    ZT_EDITOR_TEXT(etLookUpWord, 3920, "&Look up word")                                            \
    ZT_EDITOR_TEXT(etPreviousWord, 3922, "Pre&vious word")                                         \
    ZT_EDITOR_TEXT(etNextWord, 3924, "&Next word")                                                 \
    ZT_EDITOR_TEXT(etInsertExample, 3926, "Insert e&xample")                                       \
    ZT_EDITOR_TEXT(etSyntaxCheck, 3928, "&Syntax check")                                           \
    ZT_EDITOR_TEXT(etSyntaxTree, 3932, "Syntax &tree")                                             \
    ZT_EDITOR_TEXT(etSelectAll, 3936, "Select &all")                                               \
    ZT_EDITOR_TEXT(etReplace, 3938, "&Replace...")                                                 \
    ZT_EDITOR_TEXT(etPrint, 3942, "&Print...")                                                     \
    ZT_EDITOR_TEXT(etSaveAs, 3944, "Save &as...")                                                  \
    ZT_EDITOR_TEXT(etOpen, 3946, "&Open...")                                                       \
    ZT_EDITOR_TEXT(etUndo, 3948, "&Undo")                                                          \
    ZT_EDITOR_TEXT(etRedo, 3950, "&Redo")                                                          \
    ZT_EDITOR_TEXT(etHelp, 3952, "&Help")                                                          \
    ZT_EDITOR_TEXT(etDepthColors, 3954, "&Depth colours on/off")                                   \
    ZT_EDITOR_TEXT(etPasteHistory, 3956, "Paste &history")                                         \
    ZT_EDITOR_TEXT(etFind, 3958, "&Find...")                                                       \
    ZT_EDITOR_TEXT(etShowTraceWindow, 3960, "Show &trace window")                                  \
    ZT_EDITOR_TEXT(etFindNext, 3962, "Find &next")                                                 \
    ZT_EDITOR_TEXT(etColoring, 3964, "&Colouring on/off")                                          \
    ZT_EDITOR_TEXT(etLine, 9710, "Line")                                                           \
    ZT_EDITOR_TEXT(etColumn, 9711, "Column")                                                       \
    ZT_EDITOR_TEXT(etNotFound, 9713, "The search text was not found.")                             \
    ZT_EDITOR_TEXT(etInsertMode, 9833, "INS")                                                      \
    ZT_EDITOR_TEXT(etOverwriteMode, 9835, "OVR")                                                   \
    ZT_EDITOR_TEXT(etFileHasNul, 9836, "it holds NUL bytes (line %1), so it is no script")         \
    ZT_EDITOR_TEXT(etFileTooLarge, 9837,                                                           \
                   "it has more characters than the editor holds (%1 at most)")                    \
    ZT_EDITOR_TEXT(etFileReadOnly, 9838, "the file is read-only")                                  \
    ZT_EDITOR_TEXT(etUnsavableCharacter, 9839,                                                     \
                   "line %1 holds the character %2, which a script file cannot hold")

ZT_TEXT_NUMBERS(TEditorText, ZT_EDITOR_TEXTS)

// The text in the current language, or the English text when the module has none.
QString EditorText(TEditorText number);
