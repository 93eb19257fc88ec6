#pragma once

#include <QColor>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <sys/types.h>

// A private Xvfb on a free display number, for the life of the test program.
class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // Starts the server and waits until it accepts connections; false with a reason
    // in errorString() otherwise.
    bool start();
    void stop();
    QString display() const;
    QString errorString() const;

private:
    pid_t m_pid = -1;
    QString m_display;
    QString m_error;
};

// A real freedesktop system tray (Debian's trayer) on the test's display.
class TrayerProcess
{
public:
    ~TrayerProcess();
    // Starts trayer and waits until it owns the tray selection of screen 0.
    bool start();
    // Kills it without giving it a chance to clean up, as a crashing panel would.
    void kill();

private:
    QProcess m_process;
};

// A bare tray that embeds icons without adding them to its save-set, so that the
// server destroys them along with the tray when its connection ends. trayer keeps its
// icons in a save-set; this covers the trays that do not.
class BareTray
{
public:
    ~BareTray();
    bool start();
    // Answers the dock requests that have arrived.
    void serve();
    // Ends the tray's connection, as a crash would.
    void vanish();
    quintptr window() const;

private:
    struct _XDisplay *m_display = nullptr;
    quintptr m_window = 0;
};

// Looks at the X server from a connection of its own, as the panel and the user would.
namespace XProbe {

quintptr trayOwner();
quintptr parentOf(quintptr window);
quintptr rootWindow();
bool isViewable(quintptr window);
// The window's rectangle in root coordinates.
QRect rootGeometry(quintptr window);
// The WM_CLASS of the topmost ancestor below the root, as "name/class".
QString topLevelClassOf(quintptr window);
QString classHintOf(quintptr window);
bool hasProperty(quintptr window, const char *name);
// The colour on the screen at a point of the root window.
QColor pixelAt(const QPoint &rootPos);
// The id of a window that existed and was destroyed again.
quintptr destroyedWindow();
// Pointer input through the XTEST extension.
void moveTo(const QPoint &rootPos);
void click(const QPoint &rootPos, int button, int count = 1);

} // namespace XProbe
