#pragma once

#include "runtime/HostInterface.h"

#include <QObject>
#include <QString>

// The desktop application's side of the runtime: registers of its own, no progress display yet,
// interface texts from the language manager, and error boxes through the message-box service.
// The runtime context reports compile and run errors to the error window (TraceMessage);
// reportError is for callers that want the message as a signal instead.
class TApplicationHost : public QObject, public vex::THostInterface {
    Q_OBJECT

public:
    explicit TApplicationHost(QObject* parent = nullptr);

    vex::THostRegisters& Registers() override { return m_registers; }
    bool IsProgressActive() const override { return false; }
    void AdvanceProgress(std::string_view, std::int64_t) override {}
    // The language module's text as Windows-1252 bytes; empty when the module has none, so that
    // the runtime falls back to its English text.
    std::string LanguageText(int number) const override;
    // A modal error box with an OK button.
    void ShowErrorBox(const std::string& message) override;
    // The error box for an exception that left an evaluation; nothing for one without a message
    // (the silent abort).
    void HandleException(const std::exception& error) override;

    // Passes an error message of the runtime (Windows-1252 bytes) on as errorReported.
    void reportError(const std::string& message);

signals:
    void errorReported(const QString& message);

private:
    vex::THostRegisters m_registers;
};
