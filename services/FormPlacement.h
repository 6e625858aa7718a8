#pragma once

#include <QList>
#include <QRect>

#include <functional>

class QWidget;

namespace zentaro::platform {
class TRegistryKey;
}

// The window placement store: tool windows come back where the person left them.
//
//     TformSomething::TformSomething() { ...; LoadFormPlacement(this); }
//     TformSomething::~TformSomething() { SaveFormPlacement(this); }
//
// A window's placement lives in the settings under SettingsRootKey\Forms\<object name> as five
// 32-bit integers: "WindowState" (0 normal, 1 minimised, 2 maximised), "Left", "Top", "Width"
// and "Height", the outer (frame) rectangle of the window in its normal state, in screen
// coordinates. Nothing is remembered between calls.

// Called with the window's key while it is open, so that a window can keep values of its own
// beside its placement.
using TPlacementHook = std::function<void(const zentaro::platform::TRegistryKey& key)>;

// Gives the window its stored state, position and size, and the result true, when its key
// exists; otherwise centres it on the primary screen and gives false (the hook is not called).
//
// A maximised window keeps its designed position and size underneath. Each missing value leaves
// that property as designed, and so does a size that is not positive; a size larger than the
// largest screen is cut to it. A window with a non-zero "tag" property, or whose layout fixes its
// size, keeps its designed size. A window whose rectangle would lie on no screen (a monitor that
// is gone) is centred on the primary screen. A value of another type ends the reading quietly:
// what was applied stays.
//
// The stored size is the frame's; the window's client area gets that size less the frame, as
// soon as the window system tells how wide the frame is.
bool LoadFormPlacement(QWidget* form, const TPlacementHook& hook = {});

// Writes the window's state and its normal frame rectangle (the size unless the layout fixes it)
// under its key, creating the key when missing, then calls the hook. Failures are ignored.
void SaveFormPlacement(QWidget* form, const TPlacementHook& hook = {});

// The full rectangle of every screen, in virtual desktop coordinates; at least one (a 1024 x 768
// screen at the origin when the platform reports none).
QList<QRect> MonitorRectangles();

// True when the rectangle and some screen share an area of at least one pixel: a window that
// exactly fills a monitor or only touches its edge from inside counts as on it, one that lies
// beside it does not.
bool RectangleOnSomeMonitor(const QRect& rectangle);
