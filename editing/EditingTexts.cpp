#include "editing/EditingTexts.h"

#include "services/LanguageManager.h"

#include <algorithm>
#include <iterator>

namespace {

struct TEnglishText {
    TEditingText Number;
    const char* English;
};

constexpr TEnglishText EnglishTexts[] = {
#define ZT_EDITING_TEXT_ROW(constant, number, english) {constant, english},
    ZT_EDITING_TEXTS(ZT_EDITING_TEXT_ROW)
#undef ZT_EDITING_TEXT_ROW
};

} // namespace

QString EditingText(TEditingText number) {
    const auto row =
        std::find_if(std::begin(EnglishTexts), std::end(EnglishTexts),
                     [number](const TEnglishText& text) { return text.Number == number; });
    return TranslateText(number, QString::fromUtf8(row->English));
}
