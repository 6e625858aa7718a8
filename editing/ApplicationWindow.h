#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

// The one window of a kind that the application keeps from its first use until `finalize`, which
// also runs when the QApplication goes, so that no window outlives it. Closing the main window
// ends the application even while such a window is open.
//
//     TformSomething* GetSomething() { return ApplicationWindow(somethingWindow(),
//     FinalizeSomething); }
template <typename TWindow>
TWindow* ApplicationWindow(QPointer<TWindow>& window, void (*finalize)()) {
    if (!window) {
        static bool finalizeRegistered = false;
        if (!finalizeRegistered) {
            qAddPostRoutine(finalize);
            finalizeRegistered = true;
        }
        window = new TWindow();
        window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return window;
}
