#include "debugging/DebuggerTexts.h"

ZT_TEXT_LOOKUP(DebuggerText, TDebuggerText, ZT_DEBUGGER_TEXTS)
