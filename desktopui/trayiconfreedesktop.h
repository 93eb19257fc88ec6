#pragma once

#include "trayiconprivate.h"

#include <QAbstractNativeEventFilter>

// The tray window that docks itself with the freedesktop.org system tray protocol,
// and carries the KDE docking properties for KDE's own panel.
// Qt hands a widget's nativeEvent() only some of its X events (no ReparentNotify), so
// the window watches the application's event stream instead.
class TrayIconFreeDesktop : public TrayIconPrivate, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    TrayIconFreeDesktop(TrayIcon *owner, const QPixmap &icon);
    ~TrayIconFreeDesktop() override;

    // The X error code of the dock request, 0 when it went through or was not sent.
    int dockRequestError() const;
    // Whether a tray owned the selection when the window was created.
    bool dockRequestSent() const;

    // The X11 event hook; events of other windows pass untouched.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    QPaintEngine *paintEngine() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Drawn with Xlib on the panel's own background instead of through Qt's backing
    // store, which would cover the panel with an opaque square.
    bool m_drawOnPanel = false;
    // The tray let go of this window; one close per window is enough.
    bool m_trayGone = false;
    bool m_dockRequestSent = false;
    int m_dockRequestError = 0;
};
