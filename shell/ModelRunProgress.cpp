#include "shell/ModelRunProgress.h"

#include "host/model/Model.h"
#include "runtime/VexScript.h"
#include "services/Clock.h"
#include "shell/ShellTexts.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kScale = 1000;

QString number(double value) {
    return QString::fromStdString(vex::FormatNumber(value));
}

// A clock reading as a glance at the status bar needs it: whole, or to a tenth, not the fifteen
// digits of the number format that crowd the bar while the clock races.
QString clockReading(double value) {
    if (!std::isfinite(value) || value == std::floor(value)) {
        return number(value);
    }
    return QString::number(value, 'f', 1);
}

} // namespace

TModelRunProgress::TModelRunProgress(QStatusBar& statusBar, const vex::host::TModel& model)
    : m_model(model)
    , m_bar(new QProgressBar)
    , m_label(new QLabel) {
    m_bar->setObjectName(QStringLiteral("pbModelRun"));
    m_label->setObjectName(QStringLiteral("lblModelRun"));
    m_bar->setMaximumWidth(160);
    m_bar->setTextVisible(false);
    statusBar.addPermanentWidget(m_label);
    statusBar.addPermanentWidget(m_bar);
    Show(false);
}

void TModelRunProgress::Update() {
    if (!m_model.Running()) {
        Show(false);
        return;
    }
    const std::chrono::milliseconds now = ClockNow();
    if (!m_shown)
        Begin(now);
    const std::int64_t events = m_model.EventsRun();
    const auto sampled = now - m_sampleTime;
    if (sampled.count() > 0 && events >= m_sampleEvents) {
        m_eventsPerSecond = static_cast<double>(events - m_sampleEvents) * 1000.0 /
                            static_cast<double>(sampled.count());
        m_sampleTime = now;
        m_sampleEvents = events;
    }
    const double span = m_model.RunEnd() - m_startClock;
    if (std::isfinite(span) && span > 0) {
        m_bar->setRange(0, kScale);
        const double share = std::clamp((m_model.Clock() - m_startClock) / span, 0.0, 1.0);
        m_bar->setValue(static_cast<int>(share * kScale));
    } else {
        m_bar->setRange(0, 0);
    }
    m_label->setText(Text());
}

QString TModelRunProgress::Text() const {
    const double elapsed = static_cast<double>((ClockNow() - m_start).count()) / 1000.0;
    return ShellText(stModelProgress)
        .arg(clockReading(m_model.Clock()), number(m_model.RunEnd()),
             number(std::round(m_eventsPerSecond)), QString::number(elapsed, 'f', 1));
}

void TModelRunProgress::Begin(std::chrono::milliseconds now) {
    m_start = now;
    m_startClock = m_model.Clock();
    m_sampleTime = now;
    m_sampleEvents = 0;
    m_eventsPerSecond = 0;
    Show(true);
}

void TModelRunProgress::Show(bool shown) {
    m_shown = shown;
    m_bar->setVisible(shown);
    m_label->setVisible(shown);
}
