#include "host/WordHost.h"

#include "runtime/VexScript.h"

#include <iostream>

namespace vex::host {

namespace {

class TFallbackWordHost : public TWordHost {
public:
    void TraceMessage(std::string_view text, bool) override { std::cout << text << std::endl; }
};

} // namespace

TWordHost& WordHostOf(TLanguageInterpreter& context) {
    if (auto* host = dynamic_cast<TWordHost*>(&context.Host())) {
        return *host;
    }
    static TFallbackWordHost fallback;
    return fallback;
}

} // namespace vex::host
