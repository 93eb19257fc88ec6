#include "xsession.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

Display *probeDisplay()
{
    static Display *display = XOpenDisplay(nullptr);
    return display;
}

} // namespace

XvfbServer::~XvfbServer()
{
    stop();
}

bool XvfbServer::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"), { QStringLiteral("/usr/bin") });
    if (xvfb.isEmpty()) {
        m_error = QStringLiteral("Xvfb is not installed (package xvfb)");
        return false;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = QStringLiteral("pipe failed");
        return false;
    }
    const std::string program = xvfb.toStdString();
    const std::string fd = std::to_string(fds[1]);
    m_pid = fork();
    if (m_pid == 0) {
        // The server goes with the test, even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
            "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        m_error = QStringLiteral("fork failed");
        return false;
    }
    // Xvfb writes the display number once it is ready for clients.
    QByteArray number;
    pollfd reader { fds[0], POLLIN, 0 };
    const QDeadlineTimer deadline(20000);
    while (!number.endsWith('\n') && !deadline.hasExpired()) {
        if (poll(&reader, 1, 200) <= 0)
            continue;
        char buffer[16];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, got);
    }
    close(fds[0]);
    if (!number.endsWith('\n')) {
        m_error = QStringLiteral("Xvfb did not report a display number");
        stop();
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    return true;
}

void XvfbServer::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}

QString XvfbServer::display() const
{
    return m_display;
}

QString XvfbServer::errorString() const
{
    return m_error;
}

TrayerProcess::~TrayerProcess()
{
    kill();
}

bool TrayerProcess::start()
{
    const QString trayer = QStandardPaths::findExecutable(QStringLiteral("trayer"), { QStringLiteral("/usr/bin") });
    if (trayer.isEmpty())
        return false;
    const quintptr before = XProbe::trayOwner();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(trayer,
        { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"), QStringLiteral("left"),
            QStringLiteral("--widthtype"), QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("120"),
            QStringLiteral("--height"), QStringLiteral("28") });
    if (!m_process.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const quintptr owner = XProbe::trayOwner();
        if (owner != 0 && owner != before)
            return true;
        QThread::msleep(50);
    }
    return false;
}

void TrayerProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

BareTray::~BareTray()
{
    vanish();
}

bool BareTray::start()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    const Window root = DefaultRootWindow(m_display);
    m_window = XCreateSimpleWindow(m_display, root, 0, 0, 100, 30, 0, 0, 0x808080);
    XMapWindow(m_display, m_window);
    const Atom selection = XInternAtom(m_display, "_NET_SYSTEM_TRAY_S0", False);
    XSetSelectionOwner(m_display, selection, m_window, CurrentTime);
    XSync(m_display, False);
    return XGetSelectionOwner(m_display, selection) == m_window;
}

void BareTray::serve()
{
    if (!m_display)
        return;
    const Atom opcode = XInternAtom(m_display, "_NET_SYSTEM_TRAY_OPCODE", False);
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == ClientMessage && event.xclient.message_type == opcode && event.xclient.data.l[1] == 0) {
            const Window icon = event.xclient.data.l[2];
            XReparentWindow(m_display, icon, m_window, 0, 0);
            XMapWindow(m_display, icon);
        }
    }
    XSync(m_display, False);
}

void BareTray::vanish()
{
    if (!m_display)
        return;
    XCloseDisplay(m_display);
    m_display = nullptr;
}

quintptr BareTray::window() const
{
    return m_window;
}

namespace XProbe {

quintptr trayOwner()
{
    Display *dpy = probeDisplay();
    const Atom selection = XInternAtom(dpy, "_NET_SYSTEM_TRAY_S0", False);
    return XGetSelectionOwner(dpy, selection);
}

quintptr parentOf(quintptr window)
{
    Display *dpy = probeDisplay();
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, window, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent;
}

quintptr rootWindow()
{
    return DefaultRootWindow(probeDisplay());
}

bool isViewable(quintptr window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(probeDisplay(), window, &attributes))
        return false;
    return attributes.map_state == IsViewable;
}

QRect rootGeometry(quintptr window)
{
    Display *dpy = probeDisplay();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, window, &attributes))
        return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

QString classHintOf(quintptr window)
{
    XClassHint hint {};
    if (!XGetClassHint(probeDisplay(), window, &hint))
        return {};
    const QString text = QString::fromLatin1(hint.res_name) + QLatin1Char('/') + QString::fromLatin1(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return text;
}

QString topLevelClassOf(quintptr window)
{
    const quintptr root = rootWindow();
    quintptr current = window;
    for (quintptr parent = parentOf(current); parent != 0 && parent != root; parent = parentOf(current))
        current = parent;
    return classHintOf(current);
}

bool hasProperty(quintptr window, const char *name)
{
    Display *dpy = probeDisplay();
    const Atom property = XInternAtom(dpy, name, True);
    if (property == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(
            dpy, window, property, 0, 1, False, AnyPropertyType, &type, &format, &items, &remaining, &data)
        != Success)
        return false;
    if (data)
        XFree(data);
    return type != None;
}

QColor pixelAt(const QPoint &rootPos)
{
    Display *dpy = probeDisplay();
    XImage *image = XGetImage(dpy, DefaultRootWindow(dpy), rootPos.x(), rootPos.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return {};
    XColor color {};
    color.pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    XQueryColor(dpy, DefaultColormap(dpy, DefaultScreen(dpy)), &color);
    return QColor(color.red >> 8, color.green >> 8, color.blue >> 8);
}

quintptr destroyedWindow()
{
    Display *dpy = probeDisplay();
    const Window window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(dpy, window);
    XSync(dpy, False);
    return window;
}

void moveTo(const QPoint &rootPos)
{
    Display *dpy = probeDisplay();
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), rootPos.x(), rootPos.y(), CurrentTime);
    XSync(dpy, False);
}

void click(const QPoint &rootPos, int button, int count)
{
    Display *dpy = probeDisplay();
    moveTo(rootPos);
    for (int i = 0; i < count; ++i) {
        XTestFakeButtonEvent(dpy, button, True, CurrentTime);
        XTestFakeButtonEvent(dpy, button, False, CurrentTime);
    }
    XSync(dpy, False);
}

} // namespace XProbe
