#include "shell/ShellTexts.h"

#include "services/LanguageManager.h"

namespace {

QString englishText(TShellText number) {
    switch (number) {
#define ZT_SHELL_TEXT_CASE(constant, number, english)                                              \
    case constant:                                                                                 \
        return QStringLiteral(english);
        ZT_SHELL_TEXTS(ZT_SHELL_TEXT_CASE)
#undef ZT_SHELL_TEXT_CASE
    }
    return {};
}

} // namespace

QString ShellText(TShellText number) {
    return TranslateText(number, englishText(number));
}
