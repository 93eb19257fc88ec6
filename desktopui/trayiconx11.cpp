#include "trayiconx11.h"

#include <QGuiApplication>

#include <cstdio>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

namespace {

Display *display()
{
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

constexpr long SystemTrayRequestDock = 0;

// Xlib error handlers are process-wide and take no user data.
int trappedErrorCode = 0;

int trapError(Display *, XErrorEvent *event)
{
    trappedErrorCode = event->error_code;
    // Not passed on: the default Xlib handler would end the program, and the error
    // is an expected outcome of a tray that went away under our feet.
    return 0;
}

} // namespace

namespace TrayIconX11 {

bool available()
{
    return display() != nullptr;
}

int defaultScreen()
{
    return DefaultScreen(display());
}

void setDockHints(quintptr window)
{
    Display *dpy = display();
    const Window win = window;

    char name[] = "psidock";
    char className[] = "Psi";
    XClassHint classHint;
    classHint.res_name = name;
    classHint.res_class = className;
    XSetClassHint(dpy, win, &classHint);

    XWMHints *hints = XGetWMHints(dpy, win);
    XWMHints fresh{};
    XWMHints *target = hints ? hints : &fresh;
    target->flags |= StateHint | IconWindowHint | WindowGroupHint;
    target->initial_state = WithdrawnState;
    target->icon_window = win;
    target->icon_x = 0;
    target->icon_y = 0;
    target->window_group = win;
    XSetWMHints(dpy, win, target);
    if (hints)
        XFree(hints);
}

void watchRootStructure()
{
    Display *dpy = display();
    const Window root = DefaultRootWindow(dpy);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(dpy, root, &attributes))
        XSelectInput(dpy, root, attributes.your_event_mask | StructureNotifyMask);
}

quintptr watchTrayOwner(int screen)
{
    Display *dpy = display();
    char atomName[64];
    std::snprintf(atomName, sizeof atomName, "_NET_SYSTEM_TRAY_S%d", screen);
    const Atom selection = XInternAtom(dpy, atomName, False);

    XGrabServer(dpy);
    const Window owner = XGetSelectionOwner(dpy, selection);
    if (owner != None)
        XSelectInput(dpy, owner, StructureNotifyMask);
    XUngrabServer(dpy);
    XFlush(dpy);
    return owner;
}

int sendDockRequest(quintptr owner, quintptr window)
{
    Display *dpy = display();

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = owner;
    event.xclient.message_type = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = SystemTrayRequestDock;
    event.xclient.data.l[2] = static_cast<long>(window);
    event.xclient.data.l[3] = 0;
    event.xclient.data.l[4] = 0;

    // Settle earlier requests first, so that only errors of this one are trapped.
    XSync(dpy, False);
    trappedErrorCode = 0;
    XErrorHandler previous = XSetErrorHandler(trapError);
    XSendEvent(dpy, owner, False, NoEventMask, &event);
    XSync(dpy, False);
    XSetErrorHandler(previous);

    if (trappedErrorCode != 0)
        std::fprintf(stderr, "TrayIcon: X error %d while asking the system tray to dock the icon\n",
                     trappedErrorCode);
    return trappedErrorCode;
}

void setKdeDockProperties(quintptr window)
{
    Display *dpy = display();
    const Window win = window;
    long data = 0;

    const Atom kwmDockWindow = XInternAtom(dpy, "KWM_DOCKWINDOW", False);
    XChangeProperty(dpy, win, kwmDockWindow, kwmDockWindow, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&data), 1);

    const Atom trayWindowFor = XInternAtom(dpy, "_KDE_NET_WM_SYSTEM_TRAY_WINDOW_FOR", False);
    XChangeProperty(dpy, win, trayWindowFor, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&data), 1);
    XFlush(dpy);
}

WindowEvent classify(const void *xcbEvent, quintptr window)
{
    const auto *generic = static_cast<const xcb_generic_event_t *>(xcbEvent);
    switch (generic->response_type & ~0x80) {
    case XCB_UNMAP_NOTIFY: {
        const auto *unmap = static_cast<const xcb_unmap_notify_event_t *>(xcbEvent);
        return unmap->window == window ? WindowEvent::Unmapped : WindowEvent::Other;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto *reparent = static_cast<const xcb_reparent_notify_event_t *>(xcbEvent);
        if (reparent->window != window)
            return WindowEvent::Other;
        return reparent->parent == DefaultRootWindow(display()) ? WindowEvent::ReparentedToRoot
                                                               : WindowEvent::ReparentedIntoTray;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroy = static_cast<const xcb_destroy_notify_event_t *>(xcbEvent);
        return destroy->window == window ? WindowEvent::Destroyed : WindowEvent::Other;
    }
    default:
        return WindowEvent::Other;
    }
}

} // namespace TrayIconX11
