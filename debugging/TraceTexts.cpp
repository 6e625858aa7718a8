#include "debugging/TraceTexts.h"

#include "services/LanguageManager.h"

namespace {

const char* englishText(TTraceText number) {
    switch (number) {
#define ZT_TRACE_TEXT_CASE(constant, number, english)                                              \
    case constant:                                                                                 \
        return english;
        ZT_TRACE_TEXTS(ZT_TRACE_TEXT_CASE)
#undef ZT_TRACE_TEXT_CASE
    }
    return "";
}

} // namespace

QString TraceText(TTraceText number) {
    return TranslateText(number, QString::fromUtf8(englishText(number)));
}
