#pragma once

#include <QtGlobal>

class QImage;
class QPoint;

// The Xlib side of tray icon docking, kept apart so that no Xlib header (with its
// None, Bool and Status macros) reaches the widget code. Every function here is only
// called when available() is true; window ids are plain X ids.
namespace TrayIconX11 {

// True when the application runs on Qt's xcb platform with an Xlib display.
bool available();

int defaultScreen();

// WM_CLASS "psidock"/"Psi" and WM_HINTS that ask for a withdrawn icon window.
void setDockHints(quintptr window);

// Adds StructureNotify to our event mask on the root window, keeping what was there.
void watchRootStructure();

// Reads the owner of _NET_SYSTEM_TRAY_S<screen> with the server grabbed and selects
// StructureNotify on it. Returns 0 when no tray runs on the screen.
quintptr watchTrayOwner(int screen);

// Sends the SYSTEM_TRAY_REQUEST_DOCK message for window to the tray owner. X errors
// raised by the request are trapped; the result is the code of the last one, 0 if none.
int sendDockRequest(quintptr owner, quintptr window);

// The KDE docking properties KWM_DOCKWINDOW and _KDE_NET_WM_SYSTEM_TRAY_WINDOW_FOR.
void setKdeDockProperties(quintptr window);

// Gives the window its parent's background, so that the panel shows through around
// the icon. False, and nothing changed, when the window's visual is not TrueColor with
// eight bits per channel, which drawOnParentBackground() needs.
bool useParentBackground(quintptr window);

// Clears the window to the panel's background and blends the image onto it at 'at'.
void drawOnParentBackground(quintptr window, const QImage &image, const QPoint &at);

// What the event hook of the icon window cares about in an xcb event.
enum class WindowEvent { Other, Unmapped, ReparentedIntoTray, ReparentedToRoot, Destroyed };
WindowEvent classify(const void *xcbEvent, quintptr window);

} // namespace TrayIconX11
