#include "host/console/ConsoleHost.h"

#include "host/StandardWords.h"
#include "host/console/JsonText.h"

namespace vex::host {

std::string JsonError(const TConsoleError& error) {
    const TErrorPlace& place = error.Place;
    std::string json = "{\"file\": ";
    json += place.File.empty() ? "null" : JsonString(place.File);
    json += ", \"line\": ";
    json += place.File.empty() ? "null" : std::to_string(place.Line);
    if (place.Column > 0) {
        json += ", \"column\": " + std::to_string(place.Column);
    }
    if (place.InHandler) {
        json += ", \"handler\": {\"atom\": " + JsonString(place.AtomName) +
                ", \"id\": " + std::to_string(place.AtomId) +
                ", \"kind\": " + JsonString(place.HandlerKind) +
                ", \"time\": " + JsonNumber(place.Time) + "}";
    }
    if (!place.Word.empty()) {
        json += ", \"word\": " + JsonString(place.Word);
    }
    return json + ", \"message\": " + JsonString(error.Message) + "}";
}

std::string JsonErrors(const std::vector<TConsoleError>& errors) {
    std::string json = "[";
    for (std::size_t i = 0; i < errors.size(); ++i) {
        json += (i ? ", " : "") + JsonError(errors[i]);
    }
    return json + "]";
}

TConsoleHost::TConsoleHost(std::ostream& trace, std::ostream& errors, TLanguageTexts texts)
    : m_texts(std::move(texts))
    , m_traceStream(trace)
    , m_errorStream(errors) {}

void TConsoleHost::Write(TErrorPlace place, const std::string& message) {
    m_errorStream << PrintableMessage(place.Prefix() + message) << '\n';
    m_errorStream.flush();
    m_errors.push_back({std::move(place), message});
}

TErrorPlace TConsoleHost::CurrentPlace() {
    return m_context ? Services().Places.Current(*m_context) : TErrorPlace();
}

void TConsoleHost::WriteError(const std::string& message) {
    Write(CurrentPlace(), message);
}

void TConsoleHost::WriteError(const TRunError& error) {
    TErrorPlace place = CurrentPlace();
    PlaceAtFailingCode(place, error);
    Write(std::move(place), error.Message);
}

void TConsoleHost::ShowErrorBox(const std::string& message) {
    WriteError(message);
}

void TConsoleHost::HandleException(const std::exception& error) {
    if (dynamic_cast<const ERunAborted*>(&error)) {
        // Every run the abort ends hands it over; the first one tells.
        // A run nested in a place hands it over there; the outermost run has left its places.
        if (!m_interrupted) {
            m_interrupted = true;
            TRunPlaces& places = Services().Places;
            std::optional<TErrorPlace> left =
                places.Inside() ? std::nullopt : places.TakeLastLeft();
            Write(left ? std::move(*left) : CurrentPlace(), "Interrupted");
        }
        return;
    }
    const std::string message = ErrorMessage(error);
    if (!message.empty()) {
        WriteError(message);
    }
}

void TConsoleHost::TraceMessage(std::string_view text, bool) {
    m_traceStream << text << '\n';
    m_traceStream.flush();
}

TConsoleInterpreter::TConsoleInterpreter(TConsoleHost& host)
    : TLanguageInterpreter(host)
    , m_host(host) {
    SubscribeErrors(*this);
    RegisterStandardWords(*this);
    host.Attach(this);
    GlobalContext = this;
}

TConsoleInterpreter::~TConsoleInterpreter() {
    UnsubscribeErrors(*this);
    m_host.Attach(nullptr);
}

void TConsoleInterpreter::LocateError(TRunError& error) {
    PlaceRunError(*this, error);
}

void TConsoleInterpreter::ErrorReported(const TRunError& error) {
    m_host.WriteError(error);
}

} // namespace vex::host
