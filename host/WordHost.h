#pragma once

#include "host/HostPartCache.h"
#include "host/RandomGenerator.h"
#include "host/TraceSink.h"

#include "runtime/VexScript.h"

#include <string>
#include <vector>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

// What the standard words need of the application beyond the runtime's host interface: a trace
// sink for the words that write messages, and the random generator scripts draw from. The
// application's host class derives from both THostInterface (usually through the model's host)
// and this class; the console host does, and so will the desktop application's.
class TWordHost : public TTraceSink {
public:
    TWordHost() = default;
    TWordHost(const TWordHost&) = delete;
    TWordHost& operator=(const TWordHost&) = delete;
    ~TWordHost() override;

    TRandomGenerator& Random() noexcept { return m_random; }

    // The name of the script the application was started with and its arguments, for the words
    // ScriptArg and ScriptArgCount: the script's name first, then its arguments. Empty when the
    // application was started without (the desktop application).
    std::vector<std::string> ScriptArguments;

private:
    TRandomGenerator m_random;
};

// The word host found last (see THostPartCache).
extern THostPartCache<TWordHost> LastWordHost;

// WordHostOf's search, for a context other than the last one.
TWordHost& FindWordHost(TLanguageInterpreter& context);

// The context's host as a word host. A host that is none (a test's bare host, an application
// that has not taken the class on yet) gets one shared fallback: trace messages as lines on
// standard output, and a generator of its own.
inline TWordHost& WordHostOf(TLanguageInterpreter& context) {
    if (TWordHost* host = LastWordHost.Find(context)) [[likely]] {
        return *host;
    }
    return FindWordHost(context);
}

} // namespace vex::host
