#include "debugging/TraceTexts.h"

ZT_TEXT_LOOKUP(TraceText, TTraceText, ZT_TRACE_TEXTS)
