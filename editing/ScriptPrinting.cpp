#include "editing/ScriptPrinting.h"

#include "editing/ApplicationServices.h"
#include "editing/EditingTexts.h"
#include "services/FileDialogs.h"
#include "services/MessageBoxes.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextDocument>

#include <memory>
#include <utility>

QString DefaultPrinterName() {
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? QPrinterInfo::availablePrinterNames().value(0) : name;
}

namespace {

// The text as a document of plain black characters in the font.
std::unique_ptr<QTextDocument> printedDocument(const QString& text, const QFont& font) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(font);
    document->setPlainText(text);
    return document;
}

// The reason printing failed; empty when it succeeded.
QString printOnPrinter(const QTextDocument& document, const QString& name) {
    QPrinter printer(QPrinterInfo::printerInfo(name));
    printer.setDocName(QString());
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("the printer %1 reported an error").arg(name);
    return {};
}

// Written through a temporary file, so that a failed print leaves an existing file whole.
QString printToFile(const QTextDocument& document, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString());
        document.print(&writer);
    }
    if (!file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace

bool PrintScriptText(QWidget* parent, const QString& text, const QFont& font,
                     const TApplicationServices& services) {
    const QString printer = services.PrinterName();
    QString path;
    if (printer.isEmpty()) {
        path = services.SaveFileName({parent, EditingText(etPrintToFileTitle),
                                      QStringLiteral("pdf"), EditingText(etPdfFilter)});
        if (path.isEmpty())
            return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::unique_ptr<QTextDocument> document = printedDocument(text, font);
    const QString failure =
        printer.isEmpty() ? printToFile(*document, path) : printOnPrinter(*document, printer);
    QGuiApplication::restoreOverrideCursor();
    if (failure.isEmpty())
        return true;
    services.ShowMessageBox(
        {parent, QMessageBox::Critical, QString(), QStringLiteral("Could not print: ") + failure});
    return false;
}
