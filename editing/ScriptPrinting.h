#pragma once

#include <QString>

class QFont;
class QWidget;
class TApplicationServices;

// Prints a script's text in the editor's font, black on white, page by page: to the default
// printer without a dialog, or, when no printer is installed, to a PDF file the person names
// (save dialog service); the printer is the one `services` names. A failure (a file that cannot be
// written, a printer that reports an error) shows the error box "Could not print: " with the
// reason; a cancelled file dialog prints nothing. True when the text was printed.
bool PrintScriptText(QWidget* parent, const QString& text, const QFont& font,
                     const TApplicationServices& services);

// The printing system's default printer (else the first one installed); empty when none is.
QString DefaultPrinterName();
