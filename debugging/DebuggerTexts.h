#pragma once

#include "services/NumberedTexts.h"

#include <QString>

// The numbered texts the debugger window composes: the column captions and row descriptions of
// its lists, what a cell shows when the model cannot give its data, the script information, the
// question before Cancel, the captions of the two debug modes, and the messages of the
// application's debug commands. Captions of components carry their numbers in
// TDebuggerForm.ui. One row per text: ZT_DEBUGGER_TEXT(constant, number, English).
#define ZT_DEBUGGER_TEXTS(ZT_DEBUGGER_TEXT)                                                        \
    ZT_DEBUGGER_TEXT(dtNoEventAtom, 2608, "(no atom)")                                             \
    ZT_DEBUGGER_TEXT(dtNoInvolvedAtom, 2609, "(none)")                                             \
    ZT_DEBUGGER_TEXT(dtDescription, 9066, "Description")                                           \
    ZT_DEBUGGER_TEXT(dtReference, 9067, "Reference")                                               \
    ZT_DEBUGGER_TEXT(dtName, 9068, "Name")                                                         \
    ZT_DEBUGGER_TEXT(dtId, 9069, "ID")                                                             \
    ZT_DEBUGGER_TEXT(dtMother, 9070, "Mother")                                                     \
    ZT_DEBUGGER_TEXT(dtTime, 9071, "Time")                                                         \
    ZT_DEBUGGER_TEXT(dtCode, 9072, "Code")                                                         \
    ZT_DEBUGGER_TEXT(dtPriority, 9073, "Priority")                                                 \
    ZT_DEBUGGER_TEXT(dtAtomId, 9074, "Atom ID")                                                    \
    ZT_DEBUGGER_TEXT(dtEventAtomName, 9075, "Name")                                                \
    ZT_DEBUGGER_TEXT(dtInvolved, 9076, "Involved")                                                 \
    ZT_DEBUGGER_TEXT(dtCommand, 9077, "Command")                                                   \
    ZT_DEBUGGER_TEXT(dtUsed, 9078, "Used")                                                         \
    ZT_DEBUGGER_TEXT(dtUnreadable, 9079, "(cannot be read)")                                       \
    ZT_DEBUGGER_TEXT(dtScriptOrigin, 9080, "Script")                                               \
    ZT_DEBUGGER_TEXT(dtSimulationOrigin, 9081, "Simulation")                                       \
    ZT_DEBUGGER_TEXT(dtAnimationOrigin, 9082, "Animation")                                         \
    ZT_DEBUGGER_TEXT(dtUnnamedWord, 9083, "(user-defined word without a name)")                    \
    ZT_DEBUGGER_TEXT(dtActiveAtom, 9084, "Active atom (a)")                                        \
    ZT_DEBUGGER_TEXT(dtCurrentAtom, 9085, "Current atom (c)")                                      \
    ZT_DEBUGGER_TEXT(dtInvolvedAtom, 9086, "Involved atom (i)")                                    \
    ZT_DEBUGGER_TEXT(dtAskCancel, 9087, "Cancel the running script?")                              \
    ZT_DEBUGGER_TEXT(dtCaptionOn, 9088, "Debugger - debug mode on")                                \
    ZT_DEBUGGER_TEXT(dtCaptionOff, 9089, "Debugger - debug mode off")                              \
    ZT_DEBUGGER_TEXT(dtNothingPaused, 9094,                                                        \
                     "Nothing is paused: an expression runs only while a script waits in the "     \
                     "debugger.")                                                                  \
    ZT_DEBUGGER_TEXT(dtRunHeld, 9095,                                                              \
                     "A script waits in the debugger; continue or cancel it there first.")         \
    ZT_DEBUGGER_TEXT(dtEventsLeftOut, 9096, "... %1 more events, not shown")                       \
    ZT_DEBUGGER_TEXT(dtWarningTitle, 9097, "Debugger")                                             \
    ZT_DEBUGGER_TEXT(dtNoSystemBreakKey, 9098,                                                     \
                     "Ctrl+Break is not available system-wide here; it still breaks a script "     \
                     "while one of Zentaro's windows has the focus.")

ZT_TEXT_NUMBERS(TDebuggerText, ZT_DEBUGGER_TEXTS)

// The text in the current language, or the English text when the module has none.
QString DebuggerText(TDebuggerText number);
