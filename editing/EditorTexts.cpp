#include "editing/EditorTexts.h"

ZT_TEXT_LOOKUP(EditorText, TEditorText, ZT_EDITOR_TEXTS)
