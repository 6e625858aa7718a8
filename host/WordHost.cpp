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

THostPartCache<TWordHost> LastWordHost;

TWordHost::~TWordHost() {
    LastWordHost.Forget(*this);
}

// Only a host's own word host is remembered (its destructor forgets it); the fallback lives as
// long as the process and needs no speed.
TWordHost& FindWordHost(TLanguageInterpreter& context) {
    if (auto* host = dynamic_cast<TWordHost*>(&context.Host())) {
        LastWordHost.Remember(context, *host);
        return *host;
    }
    static TFallbackWordHost fallback;
    return fallback;
}

} // namespace vex::host
