#pragma once

#include "debugging/DebuggerServices.h"
#include "debugging/TDebuggerForm.h"
#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

// Acts for the person while a run waits in the debugger: the steps act one after the other, each
// at a pause (a step that does not end the pause is followed by the next at once). A pause with
// no step left is counted and answered with Run, so that a test cannot hang.
class TPauseDriver : public QObject {
public:
    using TStep = std::function<void()>;

    explicit TPauseDriver(TDebuggerServices& services)
        : m_services(services) {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &TPauseDriver::drive);
    }

    void start(std::vector<TStep> steps) {
        m_steps.assign(steps.begin(), steps.end());
        Log.clear();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    bool done() const { return m_steps.empty(); }
    int unexpectedPauses() const { return m_unexpectedPauses; }

    TDebuggerForm* window() const { return m_services.Window(); }
    // The listing's selected text.
    QString selection() const {
        QString text = window()->ListingPanel()->Editor()->textCursor().selectedText();
        return text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    // A step that notes the selection.
    TStep note() {
        return [this] { Log << selection(); };
    }
    // A step that notes the selection, then presses a key where the window's focus is.
    TStep press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return [this, key, modifiers] {
            Log << selection();
            // The window system activates a shown window a moment later.
            QVERIFY(QTest::qWaitForWindowActive(window()));
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target && target->window() == window() ? target : window(),
                            static_cast<Qt::Key>(key), modifiers);
        };
    }

    // The selections noted, in order.
    QStringList Log;

private:
    void drive() {
        if (m_driving || !m_services.IsPaused())
            return;
        m_driving = true;
        if (m_steps.empty()) {
            ++m_unexpectedPauses;
            window()->Run();
        } else {
            const TStep step = m_steps.front();
            m_steps.pop_front();
            step();
        }
        m_driving = false;
    }

    TDebuggerServices& m_services;
    QTimer m_timer;
    std::deque<TStep> m_steps;
    int m_unexpectedPauses = 0;
    bool m_driving = false;
};
