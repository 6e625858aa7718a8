#include "shell/ApplicationHost.h"

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "host/StandardWords.h"
#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "shell/ShellTexts.h"

#include <QApplication>

// The trace windows and the file dialogs follow the preferences and the model while this host
// lives. Folder and file names are in the scripts' code page.
TApplicationHost::TApplicationHost(TApplicationServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services) {
    m_services.TraceWordWrap = [this] { return Services().Preferences.TraceWordWrap; };
    m_services.TraceQuiet = [this] { return Services().Preferences.TraceQuiet; };
    m_services.FileDialogs.Host = {
        [this] { return Services().Preferences.UseCustomPlacesBar; },
        [this] { return fromWindows1252(Services().Preferences.PlacesBarDirectory); },
        [this] { return fromWindows1252(Services().Model.FileName); }};
}

TApplicationHost::~TApplicationHost() {
    m_services.FileDialogs.Host = {};
    m_services.TraceQuiet = {};
    m_services.TraceWordWrap = {};
}

std::string TApplicationHost::LanguageText(int number) const {
    return GetLanguageBytes(number);
}

// An error box shows the place of the error as the error window does.
void TApplicationHost::ShowErrorBox(const std::string& message) {
    const std::string place =
        m_context ? vex::host::ErrorPlaceOf(*m_context).Prefix() : std::string();
    m_services.ShowMessageBox({QApplication::activeWindow(), QMessageBox::Critical,
                               ShellText(stErrorTitle),
                               fromWindows1252(vex::PrintableMessage(place + message))});
}

// An abort outside an automation call is the person's Stop (or the quit that stopped the run):
// nothing to tell.
void TApplicationHost::HandleException(const std::exception& error) {
    if (dynamic_cast<const vex::ERunAborted*>(&error))
        return;
    const std::string message = vex::ErrorMessage(error);
    if (!message.empty())
        ShowErrorBox(message);
}

void TApplicationHost::TraceMessage(std::string_view text, bool isError) {
    ::TraceMessage(
        fromWindows1252(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))), isError);
}

TApplicationInterpreter::TApplicationInterpreter(TApplicationHost& host, std::int32_t stackSize)
    : TLanguageInterpreter(host, stackSize)
    , m_host(host) {
    vex::host::RegisterStandardWords(*this);
    m_host.m_context = this;
}

TApplicationInterpreter::~TApplicationInterpreter() {
    m_host.m_context = nullptr;
}

// The place the error window shows before the message ("bank.vex:12: ", see
// host/model/RunPlaces.h).
void TApplicationInterpreter::LocateError(vex::TRunError& error) {
    vex::host::PlaceRunError(*this, error);
}
