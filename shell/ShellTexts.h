#pragma once

#include "services/NumberedTexts.h"

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
    ZT_SHELL_TEXT(stErrorTitle, 1108, "Error")                                                     \
    ZT_SHELL_TEXT(stOpenModelTitle, 1109, "Open Model")                                            \
    ZT_SHELL_TEXT(stOpenLibraryTitle, 1110, "Open Library")                                        \
    ZT_SHELL_TEXT(stSaveModelTitle, 1111, "Save Model As")                                         \
    ZT_SHELL_TEXT(stModelName, 1112, "Model: %1")                                                  \
    ZT_SHELL_TEXT(stModelNameAndFile, 1113, "Model: %1 (%2)")                                      \
    ZT_SHELL_TEXT(stClock, 1114, "Time: %1")                                                       \
    ZT_SHELL_TEXT(stDiscardModel, 1115,                                                            \
                  "Discard the model \"%1\" and start a new one? What was not saved is lost.")     \
    ZT_SHELL_TEXT(stNewModelStarted, 1116, "New model started")                                    \
    ZT_SHELL_TEXT(stModelOpened, 1117, "Model %1 opened")                                          \
    ZT_SHELL_TEXT(stLibraryOpened, 1118, "Library %1 opened")                                      \
    ZT_SHELL_TEXT(stModelSaved, 1119, "Model saved to %1")                                         \
    ZT_SHELL_TEXT(stModelKept, 1120,                                                               \
                  "%1 could not be read; the model stays as it was. The error window lists why.")  \
    ZT_SHELL_TEXT(stLibraryDropped, 1121,                                                          \
                  "%1 could not be read; nothing of it was added. The error window lists why.")    \
    ZT_SHELL_TEXT(stModelNotSaved, 1122, "The model was not saved. The error window lists why.")   \
    ZT_SHELL_TEXT(stWordReferenceTitle, 1123, "Word Reference")                                    \
    ZT_SHELL_TEXT(stSaveChanges, 1124, "The script %1 has changed. Save the changes?")             \
    ZT_SHELL_TEXT(stUntitled, 1125, "Untitled")                                                    \
    ZT_SHELL_TEXT(stSaveScriptTitle, 1126, "Save Script As")                                       \
    ZT_SHELL_TEXT(stScriptSaved, 1127, "Script saved to %1")                                       \
    ZT_SHELL_TEXT(stResult, 1128, "Result: %1")                                                    \
    ZT_SHELL_TEXT(stRunFailed, 1129, "The run reported errors; the error window lists them.")      \
    ZT_SHELL_TEXT(stDiscardModelOnQuit, 1130,                                                      \
                  "Discard the model \"%1\" and quit? What was not saved is lost.")                \
    ZT_SHELL_TEXT(stCallAborted, 1131, "The automation call was aborted.")                         \
    ZT_SHELL_TEXT(stCallTimedOut, 1132,                                                            \
                  "The automation call was stopped after its time limit of %1 ms.")                \
    ZT_SHELL_TEXT(stNameOutsideCodePage, 1133,                                                     \
                  "the name holds characters that script texts (Windows-1252) cannot hold")        \
    ZT_SHELL_TEXT(stCannotSave, 1134, "Cannot save %1: %2")                                        \
    ZT_SHELL_TEXT(stStatementFails, 1135,                                                          \
                  "The statement in line %1 does not compile; the error window lists why.")        \
    ZT_SHELL_TEXT(stLongLine, 1136,                                                                \
                  "Line %1 has %2 characters; only the first %3 of a line are coloured.")          \
    ZT_SHELL_TEXT(stNoStatement, 1137, "The script holds no statement.")                           \
    ZT_SHELL_TEXT(stNoRuntime, 1138, "There is no runtime to run the script in.")                  \
    ZT_SHELL_TEXT(stRunGoes, 1139, "A run is going on; stop it first (Script > Stop).")            \
    ZT_SHELL_TEXT(stRunGoesCall, 1140,                                                             \
                  "A run is going on in Zentaro; try again when it has ended.")                    \
    ZT_SHELL_TEXT(stStopAndQuit, 1141, "A run is going on. Stop it and quit?")                     \
    ZT_SHELL_TEXT(stRunStopped, 1142, "The run was stopped.")                                      \
    ZT_SHELL_TEXT(stRunning, 1143, "Running...")                                                   \
    ZT_SHELL_TEXT(stModelProgress, 1144, "Time %1 of %2 - %3 events/s - %4 s")

ZT_TEXT_NUMBERS(TShellText, ZT_SHELL_TEXTS)

// The text in the current language, or the English text when the module has none.
QString ShellText(TShellText number);
