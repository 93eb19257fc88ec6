#include "trayiconx11.h"

#include <QGuiApplication>
#include <QImage>
#include <QRect>

#include <bit>
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
    // Not passed on: the default Xlib handler would end the program, and these errors
    // are expected outcomes of a tray that went away under our feet.
    return 0;
}

// Traps the X errors of the requests made during its lifetime.
class ErrorTrap
{
public:
    explicit ErrorTrap(Display *dpy)
        : m_dpy(dpy)
    {
        // Settle earlier requests first, so that only errors of ours are trapped.
        XSync(m_dpy, False);
        trappedErrorCode = 0;
        m_previous = XSetErrorHandler(trapError);
    }
    ~ErrorTrap()
    {
        XSync(m_dpy, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

    int errorCode()
    {
        XSync(m_dpy, False);
        return trappedErrorCode;
    }

private:
    Display *m_dpy;
    XErrorHandler m_previous;
};

// One colour channel of a TrueColor visual with eight bits per channel.
struct Channel
{
    explicit Channel(unsigned long mask)
        : mask(mask)
        , shift(std::countr_zero(mask))
    { }
    int get(unsigned long pixel) const { return int((pixel & mask) >> shift); }
    unsigned long put(int value) const { return (static_cast<unsigned long>(value) << shift) & mask; }
    bool eightBits() const { return mask != 0 && std::popcount(mask) == 8; }

    unsigned long mask;
    int shift;
};

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
    XWMHints fresh {};
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

    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = owner;
    event.xclient.message_type = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = SystemTrayRequestDock;
    event.xclient.data.l[2] = static_cast<long>(window);
    event.xclient.data.l[3] = 0;
    event.xclient.data.l[4] = 0;

    ErrorTrap trap(dpy);
    XSendEvent(dpy, owner, False, NoEventMask, &event);
    const int error = trap.errorCode();
    if (error != 0)
        std::fprintf(stderr, "TrayIcon: X error %d while asking the system tray to dock the icon\n", error);
    return error;
}

void setKdeDockProperties(quintptr window)
{
    Display *dpy = display();
    const Window win = window;
    long data = 0;

    const Atom kwmDockWindow = XInternAtom(dpy, "KWM_DOCKWINDOW", False);
    XChangeProperty(
        dpy, win, kwmDockWindow, kwmDockWindow, 32, PropModeReplace, reinterpret_cast<unsigned char *>(&data), 1);

    const Atom trayWindowFor = XInternAtom(dpy, "_KDE_NET_WM_SYSTEM_TRAY_WINDOW_FOR", False);
    XChangeProperty(
        dpy, win, trayWindowFor, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<unsigned char *>(&data), 1);
    XFlush(dpy);
}

bool useParentBackground(quintptr window)
{
    Display *dpy = display();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, window, &attributes) || attributes.visual->c_class != TrueColor)
        return false;
    const Visual *visual = attributes.visual;
    if (!Channel(visual->red_mask).eightBits() || !Channel(visual->green_mask).eightBits()
        || !Channel(visual->blue_mask).eightBits())
        return false;
    XSetWindowBackgroundPixmap(dpy, window, ParentRelative);
    XFlush(dpy);
    return true;
}

void drawOnParentBackground(quintptr window, const QImage &source, const QPoint &at)
{
    Display *dpy = display();
    XClearWindow(dpy, window);

    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, window, &attributes))
        return;
    const QRect area = QRect(at, source.size()) & QRect(0, 0, attributes.width, attributes.height);
    if (area.isEmpty())
        return;

    // Reading back fails with BadMatch while the window is not viewable; then there
    // is nothing to draw on anyway.
    ErrorTrap trap(dpy);
    XImage *background = XGetImage(dpy, window, area.x(), area.y(), area.width(), area.height(), AllPlanes, ZPixmap);
    if (!background)
        return;

    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const Channel red(attributes.visual->red_mask);
    const Channel green(attributes.visual->green_mask);
    const Channel blue(attributes.visual->blue_mask);
    const unsigned long otherBits = ~(red.mask | green.mask | blue.mask);
    for (int row = 0; row < area.height(); ++row) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(area.y() - at.y() + row));
        for (int column = 0; column < area.width(); ++column) {
            const QRgb pixel = line[area.x() - at.x() + column];
            const int alpha = qAlpha(pixel);
            if (alpha == 0)
                continue;
            const unsigned long under = XGetPixel(background, column, row);
            const auto over = [&](const Channel &channel, int value) {
                return channel.put(value + channel.get(under) * (255 - alpha) / 255);
            };
            XPutPixel(background, column, row,
                over(red, qRed(pixel)) | over(green, qGreen(pixel)) | over(blue, qBlue(pixel)) | (under & otherBits));
        }
    }
    GC gc = XCreateGC(dpy, window, 0, nullptr);
    XPutImage(dpy, window, gc, background, 0, 0, area.x(), area.y(), area.width(), area.height());
    XFreeGC(dpy, gc);
    XDestroyImage(background);
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
