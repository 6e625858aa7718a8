#include "editing/EditingTexts.h"

ZT_TEXT_LOOKUP(EditingText, TEditingText, ZT_EDITING_TEXTS)
