#pragma once

#include <QString>

#include <functional>

class QFont;
class QWidget;

// Prints a script's text in the editor's font, black on white, page by page: to the default
// printer without a dialog, or, when no printer is installed, to a PDF file the person names
// (save dialog service). A failure (a file that cannot be written, a printer that reports an
// error) shows the error box "Could not print: " with the reason; a cancelled file dialog prints
// nothing. True when the text was printed.
bool PrintScriptText(QWidget* parent, const QString& text, const QFont& font);

// The printer to print on: its name, empty when none is installed. Tests replace the lookup;
// an empty function restores the one that asks the printing system. Returns the lookup that
// was in place.
using TPrinterLookup = std::function<QString()>;
TPrinterLookup SetPrinterLookup(TPrinterLookup lookup);
