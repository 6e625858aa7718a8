#include "shell/StatusProgress.h"

#include "platform/CodePage.h"
#include "services/Clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace {

// Totals beyond the bar's integer range are shown in thousandths.
constexpr int kScale = 1000;

int scaled(std::int64_t position, std::int64_t total) {
    if (total <= 0)
        return 0;
    const std::int64_t clamped = std::clamp<std::int64_t>(position, 0, total);
    return static_cast<int>(clamped * kScale / total);
}

} // namespace

TStatusProgress::TStatusProgress(QStatusBar& statusBar)
    : m_statusBar(statusBar) {}

TStatusProgress::~TStatusProgress() {
    for (const auto& [name, bar] : m_bars)
        delete bar;
}

void TStatusProgress::ProgressChanged(const vex::host::TProgressItem& item, bool visible) {
    const auto found = m_bars.find(item.Name);
    if (!visible) {
        if (found != m_bars.end()) {
            delete found->second;
            m_bars.erase(found);
        }
        return;
    }
    QProgressBar* bar = found != m_bars.end() ? found->second : nullptr;
    if (!bar) {
        bar = new QProgressBar;
        bar->setObjectName(QStringLiteral("progress-") + QString::fromStdString(item.Name));
        bar->setRange(0, kScale);
        bar->setMaximumWidth(200);
        const QString caption = fromWindows1252(QByteArray::fromStdString(item.Caption));
        bar->setFormat(QFileInfo(caption).fileName() + QStringLiteral(" %p%"));
        bar->setToolTip(caption);
        m_statusBar.addPermanentWidget(bar);
        m_bars.emplace(item.Name, bar);
        m_lastPump = std::chrono::milliseconds(-kPumpMilliseconds);
    }
    bar->setValue(scaled(item.Position, item.Total));
    if (item.Position > 0)
        pump();
}

QProgressBar* TStatusProgress::bar(const std::string& item) const {
    const auto found = m_bars.find(item);
    return found == m_bars.end() ? nullptr : found->second;
}

// Deferred deletes do not run here, and the person's input waits for the main loop.
void TStatusProgress::pump() {
    const std::chrono::milliseconds now = ClockNow();
    if (now - m_lastPump < std::chrono::milliseconds(kPumpMilliseconds))
        return;
    m_lastPump = now;
    ++m_pumps;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
