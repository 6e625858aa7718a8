#pragma once

#include "services/NumberedTexts.h"

#include <QString>

// The numbered texts the trace windows compose their captions and dialogs from, with their
// English wording, which serves when the language module lacks a number. The menu items and the
// status bar carry their numbers in TformTrace.ui. One row per text:
// ZT_TRACE_TEXT(constant, number, English text).
#define ZT_TRACE_TEXTS(ZT_TRACE_TEXT)                                                              \
    ZT_TRACE_TEXT(ttTraceCaption, 5402, "Tracer")                                                  \
    ZT_TRACE_TEXT(ttErrorCaption, 5406, "Error messages")                                          \
    ZT_TRACE_TEXT(ttSaveFilter, 5407, "Text files (*.txt);;All files (*)")                         \
    ZT_TRACE_TEXT(ttMessageCut, 5420,                                                              \
                  " [... %1 more characters: Save Messages writes the whole message]")             \
    ZT_TRACE_TEXT(ttNotSaved, 5421, "The messages could not be saved to %1: %2")                   \
    ZT_TRACE_TEXT(ttRepeated, 5422, " [%1 times]")

ZT_TEXT_NUMBERS(TTraceText, ZT_TRACE_TEXTS)

// The text in the current language, or the English text when the module has none.
QString TraceText(TTraceText number);
