#include "services/FormPlacement.h"

#include "platform/Registry.h"
#include "services/SettingsRootKey.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

using zentaro::platform::TRegistryKey;
using zentaro::platform::TRegistryStatus;
using zentaro::platform::TRegistryType;
using zentaro::platform::TRegistryValue;

namespace {

enum TStoredWindowState : std::int32_t {
    wsNormal = 0,
    wsMinimized = 1,
    wsMaximized = 2,
};

// The screen used when the platform reports none (no display connection yet).
const QRect FallbackMonitor(0, 0, 1024, 768);

std::string formKeyPath(const QWidget* form) {
    return std::string(SettingsRootKey) + "\\Forms\\" + form->objectName().toStdString();
}

// Reading stops at the first value that is there but is no 32-bit integer.
struct TReadStopped {};

std::optional<std::int32_t> readInteger(const TRegistryKey& key, const char* name) {
    TRegistryValue value;
    if (key.QueryValue(name, value) != TRegistryStatus::Success)
        return std::nullopt;
    if (value.Type != TRegistryType::Integer)
        throw TReadStopped();
    return static_cast<std::int32_t>(value.Integer);
}

void writeInteger(const TRegistryKey& key, const char* name, int value) {
    key.SetValue(name, TRegistryValue::FromInteger(static_cast<std::uint32_t>(value)));
}

// The window decides its own size when its layout fixes it.
bool sizesItself(const QWidget* form) {
    return form->layout() && form->layout()->sizeConstraint() == QLayout::SetFixedSize;
}

bool keepsDesignedSize(const QWidget* form) {
    return form->property("tag").toInt() != 0 || sizesItself(form);
}

QRect primaryScreenRectangle() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : FallbackMonitor;
}

// The frame's width on each side; zero before the window system has framed the window.
QMargins frameMargins(const QWidget* form) {
    const QRect frame = form->frameGeometry();
    const QRect client = form->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QSize clientSize(const QSize& frameSize, const QMargins& margins) {
    return frameSize.shrunkBy(margins).expandedTo(QSize(1, 1));
}

// Gives a window the client size that belongs to a stored frame size once the window system
// reports the frame, which for a window not yet shown happens only after it is shown; a window
// resized in between keeps its new size. Removes itself after the one correction and with the
// window.
class TClientSizeFixup : public QObject {
public:
    TClientSizeFixup(QWidget* form, QSize frameSize)
        : QObject(form)
        , m_form(form)
        , m_frameSize(frameSize)
        , m_sizeAtLoad(form->size()) {
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == m_form &&
            (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
            const QMargins margins = frameMargins(m_form);
            if (m_form->isVisible() && !margins.isNull()) {
                m_form->removeEventFilter(this);
                if (m_form->windowState() == Qt::WindowNoState && m_form->size() == m_sizeAtLoad)
                    m_form->resize(clientSize(m_frameSize, margins));
                deleteLater();
            }
        }
        return false;
    }

private:
    QWidget* m_form;
    QSize m_frameSize;
    QSize m_sizeAtLoad;
};

// The frame rectangle the window has now (its normal one when maximised or minimised).
QRect normalFrameRectangle(const QWidget* form) {
    QRect client = form->normalGeometry();
    if (client.isEmpty())
        client = form->geometry();
    return client.marginsAdded(frameMargins(form));
}

void centreOnPrimaryScreen(QWidget* form, const QSize& frameSize) {
    const QRect screen = primaryScreenRectangle();
    // A window's position is its frame's.
    form->move({screen.left() + screen.width() / 2 - frameSize.width() / 2,
                screen.top() + screen.height() / 2 - frameSize.height() / 2});
}

// A stored length that makes sense for a window: positive, and no larger than the largest screen.
std::optional<int> sensibleLength(std::optional<std::int32_t> stored, int largest) {
    if (!stored || *stored <= 0)
        return std::nullopt;
    return std::min<int>(*stored, largest);
}

QSize largestScreenSize() {
    QSize largest;
    for (const QRect& monitor : MonitorRectangles())
        largest = largest.expandedTo(monitor.size());
    return largest;
}

Qt::WindowStates qtWindowState(std::int32_t stored) {
    switch (stored) {
    case wsMinimized:
        return Qt::WindowMinimized;
    case wsMaximized:
        return Qt::WindowMaximized;
    default:
        return Qt::WindowNoState;
    }
}

void applySize(QWidget* form, const QSize& frameSize) {
    const QMargins margins = frameMargins(form);
    form->resize(clientSize(frameSize, margins));
    if (margins.isNull())
        new TClientSizeFixup(form, frameSize);
}

// Applies the stored state, position and size; a value of another type ends the reading early
// (TReadStopped), leaving what was applied.
void applyPlacement(QWidget* form, const TRegistryKey& key) {
    if (const auto state = readInteger(key, "WindowState"))
        form->setWindowState(qtWindowState(*state));
    if (form->windowState() & Qt::WindowMaximized)
        return;
    QRect frame = normalFrameRectangle(form);
    // A window's position is its frame's.
    if (const auto left = readInteger(key, "Left")) {
        frame.moveLeft(*left);
        form->move(frame.topLeft());
    }
    if (const auto top = readInteger(key, "Top")) {
        frame.moveTop(*top);
        form->move(frame.topLeft());
    }
    if (!keepsDesignedSize(form)) {
        const QSize largest = largestScreenSize();
        const auto width = sensibleLength(readInteger(key, "Width"), largest.width());
        const auto height = sensibleLength(readInteger(key, "Height"), largest.height());
        if (width || height) {
            frame.setSize({width.value_or(frame.width()), height.value_or(frame.height())});
            applySize(form, frame.size());
        }
    }
    if (!RectangleOnSomeMonitor(frame))
        centreOnPrimaryScreen(form, frame.size());
}

} // namespace

bool LoadFormPlacement(QWidget* form, const TPlacementHook& hook) {
    if (!form || form->objectName().isEmpty())
        return false;
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().OpenKey(formKeyPath(form), key) != TRegistryStatus::Success) {
        centreOnPrimaryScreen(form, normalFrameRectangle(form).size());
        return false;
    }
    try {
        applyPlacement(form, key);
        if (hook)
            hook(key);
    } catch (const TReadStopped&) {
    }
    return true;
}

void SaveFormPlacement(QWidget* form, const TPlacementHook& hook) {
    if (!form || form->objectName().isEmpty())
        return;
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().CreateKey(formKeyPath(form), key) != TRegistryStatus::Success)
        return;
    const Qt::WindowStates state = form->windowState();
    writeInteger(key, "WindowState",
                 state & Qt::WindowMinimized   ? wsMinimized
                 : state & Qt::WindowMaximized ? wsMaximized
                                               : wsNormal);
    const QRect frame = normalFrameRectangle(form);
    writeInteger(key, "Left", frame.left());
    writeInteger(key, "Top", frame.top());
    if (!sizesItself(form)) {
        writeInteger(key, "Width", frame.width());
        writeInteger(key, "Height", frame.height());
    }
    if (hook)
        hook(key);
}

QList<QRect> MonitorRectangles() {
    QList<QRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors << screen->geometry();
    if (monitors.isEmpty())
        monitors << FallbackMonitor;
    return monitors;
}

bool RectangleOnSomeMonitor(const QRect& rectangle) {
    const QList<QRect> monitors = MonitorRectangles();
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const QRect& monitor) { return monitor.intersects(rectangle); });
}
