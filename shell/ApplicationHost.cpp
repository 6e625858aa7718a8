#include "shell/ApplicationHost.h"

#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ShellTexts.h"

#include <QApplication>

TApplicationHost::TApplicationHost(QObject* parent)
    : QObject(parent) {}

std::string TApplicationHost::LanguageText(int number) const {
    return toWindows1252(GetLanguageText(number)).toStdString();
}

void TApplicationHost::ShowErrorBox(const std::string& message) {
    showMessageBox({QApplication::activeWindow(), QMessageBox::Critical, ShellText(stErrorTitle),
                    fromWindows1252(message)});
}

void TApplicationHost::HandleException(const std::exception& error) {
    const std::string message = error.what();
    if (!message.empty())
        ShowErrorBox(message);
}

void TApplicationHost::reportError(const std::string& message) {
    emit errorReported(fromWindows1252(message));
}
