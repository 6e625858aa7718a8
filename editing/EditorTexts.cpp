#include "editing/EditorTexts.h"

#include "services/LanguageManager.h"

namespace {

QString englishText(TEditorText number) {
    switch (number) {
#define ZT_EDITOR_TEXT_CASE(constant, number, english)                                             \
    case constant:                                                                                 \
        return QStringLiteral(english);
        ZT_EDITOR_TEXTS(ZT_EDITOR_TEXT_CASE)
#undef ZT_EDITOR_TEXT_CASE
    }
    return {};
}

} // namespace

QString EditorText(TEditorText number) {
    return TranslateText(number, englishText(number));
}
