#include "shell/ShellTexts.h"

ZT_TEXT_LOOKUP(ShellText, TShellText, ZT_SHELL_TEXTS)
