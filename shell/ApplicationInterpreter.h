#pragma once

#include "runtime/VexScript.h"

class TApplicationHost;

// The desktop application's runtime context: created at start-up with the standard words and
// published as vex::GlobalContext until it is destroyed at shutdown. Its compile and run errors
// go to the error window (TraceMessage).
class TApplicationInterpreter : public vex::TLanguageInterpreter {
public:
    explicit TApplicationInterpreter(TApplicationHost& host);
    ~TApplicationInterpreter() override;

    void ReportError(const std::string& message) override;
};
