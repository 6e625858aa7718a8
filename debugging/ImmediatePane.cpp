#include "debugging/ImmediatePane.h"

#include "ui_TDebuggerForm.h"

QWidget* TImmediatePane::Page() const {
    return m_ui.tshImmediate;
}
