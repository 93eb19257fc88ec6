#include "trayiconfreedesktop.h"

#include "trayiconx11.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>

namespace {
constexpr int TrayIconSize = 22;
}

TrayIconFreeDesktop::TrayIconFreeDesktop(TrayIcon *owner, const QPixmap &icon)
    : TrayIconPrivate(owner, TrayIconSize)
{
    if (TrayIconX11::available()) {
        const quintptr window = winId();
        TrayIconX11::setDockHints(window);
        const int screen = TrayIconX11::defaultScreen();
        TrayIconX11::watchRootStructure();
        // With no tray on the screen nothing is sent; a later newTrayOwner() tries again.
        if (const quintptr trayOwner = TrayIconX11::watchTrayOwner(screen)) {
            m_dockRequestSent = true;
            m_dockRequestError = TrayIconX11::sendDockRequest(trayOwner, window);
        }
        TrayIconX11::setKdeDockProperties(window);
        m_drawOnPanel = TrayIconX11::useParentBackground(window);
        if (m_drawOnPanel)
            setAttribute(Qt::WA_PaintOnScreen);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    setPixmap(icon);
}

TrayIconFreeDesktop::~TrayIconFreeDesktop()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

int TrayIconFreeDesktop::dockRequestError() const
{
    return m_dockRequestError;
}

bool TrayIconFreeDesktop::dockRequestSent() const
{
    return m_dockRequestSent;
}

QPaintEngine *TrayIconFreeDesktop::paintEngine() const
{
    return m_drawOnPanel ? nullptr : TrayIconPrivate::paintEngine();
}

void TrayIconFreeDesktop::paintEvent(QPaintEvent *event)
{
    if (m_drawOnPanel)
        TrayIconX11::drawOnParentBackground(internalWinId(), pixmap().toImage(), pixmapOrigin());
    else
        TrayIconPrivate::paintEvent(event);
}

bool TrayIconFreeDesktop::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType == "xcb_generic_event_t" && owner()) {
        switch (TrayIconX11::classify(message, internalWinId())) {
        case TrayIconX11::WindowEvent::Unmapped:
        case TrayIconX11::WindowEvent::Destroyed:
            // A tray that dies unmaps the icon when it kept it in its save-set, and
            // destroys it along with its own windows when it did not.
            if (!m_trayGone) {
                m_trayGone = true;
                QCloseEvent close;
                QCoreApplication::sendEvent(this, &close);
            }
            break;
        case TrayIconX11::WindowEvent::ReparentedIntoTray:
            // The tray has embedded us; only now is there a place to be shown in.
            show();
            break;
        case TrayIconX11::WindowEvent::ReparentedToRoot:
        case TrayIconX11::WindowEvent::Other:
            break;
        }
    }
    return false;
}
