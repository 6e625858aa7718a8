#include "shell/ZTApplication.h"

#include "platform/TimerBase.h"

#include <QCoreApplication>

namespace {

TZTApplication* s_instance = nullptr;

constexpr std::int32_t DefaultFrameRate = 35;

} // namespace

TZTApplication::TZTApplication(QCoreApplication& application)
    : m_application(application) {
    s_instance = this;
    SetFrameRate(DefaultFrameRate);
}

TZTApplication::~TZTApplication() {
    Shutdown();
    if (s_instance == this)
        s_instance = nullptr;
}

TZTApplication* TZTApplication::instance() noexcept {
    return s_instance;
}

void TZTApplication::SetFrameRate(std::int32_t framesPerSecond) {
    m_framesPerSecond = framesPerSecond == 0 ? 1 : framesPerSecond;
    m_frameInterval = 1000 / m_framesPerSecond;
    m_countsPerFrame = zentaro::platform::CounterFrequency / m_framesPerSecond;
}

void TZTApplication::Shutdown() {
    if (m_terminating || QCoreApplication::closingDown())
        return;
    m_terminating = true;
    m_application.quit();
}
