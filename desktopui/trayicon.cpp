#include "trayicon.h"

#include "trayiconfreedesktop.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <utility>

namespace {

constexpr int NullIconSize = 16;

// A null image would leave nothing to draw in the tray.
QPixmap usableIcon(const QPixmap &icon)
{
    if (!icon.isNull())
        return icon;
    QPixmap blank(NullIconSize, NullIconSize);
    blank.fill(Qt::transparent);
    return blank;
}

} // namespace

TrayIcon::TrayIcon(QObject *parent, const QString &name)
    : QObject(parent)
{
    setObjectName(name);
}

TrayIcon::TrayIcon(const QPixmap &icon, const QString &toolTip, QMenu *popup, QObject *parent, const QString &name)
    : QObject(parent)
    , m_popup(popup)
    , m_icon(usableIcon(icon))
    , m_toolTip(toolTip)
{
    setObjectName(name);
}

TrayIcon::~TrayIcon()
{
    delete m_window;
}

void TrayIcon::setPopup(QMenu *menu)
{
    m_popup = menu;
}

QMenu *TrayIcon::popup() const
{
    return m_popup;
}

QPixmap TrayIcon::icon() const
{
    return m_icon;
}

QString TrayIcon::toolTip() const
{
    return m_toolTip;
}

TrayIconPrivate *TrayIcon::window() const
{
    return m_window;
}

void TrayIcon::setIcon(const QPixmap &icon)
{
    m_icon = icon;
    if (m_window)
        m_window->setPixmap(QPixmap(m_icon));
}

void TrayIcon::setToolTip(const QString &toolTip)
{
    m_toolTip = toolTip;
    updateToolTip();
}

void TrayIcon::show()
{
    if (m_window)
        return;
    m_window = new TrayIconFreeDesktop(this, m_icon);
    updateToolTip();
}

void TrayIcon::hide()
{
    if (!m_window)
        return;
    // Slots of our signals may get here from within the window's own event handling,
    // so the window is cut loose now and deleted once that is over.
    TrayIconPrivate *window = std::exchange(m_window, nullptr);
    window->detach();
    window->hide();
    window->deleteLater();
}

void TrayIcon::newTrayOwner()
{
    hide();
    show();
}

void TrayIcon::updateToolTip()
{
    if (!m_window)
        return;
    // An empty text removes the tool tip from the window.
    m_window->setToolTip(m_toolTip);
}

void TrayIcon::windowClosed()
{
    emit closed();
    // The panel's tray went away; it usually comes back within seconds.
    for (int delay : { 5000, 10000, 15000 })
        QTimer::singleShot(delay, this, &TrayIcon::redockAfterClose);
}

void TrayIcon::redockAfterClose()
{
    // An icon removed with hide() in the meantime stays removed.
    if (m_window)
        newTrayOwner();
}

bool TrayIcon::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        mouseMoveEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonPress:
        mousePressEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        mouseReleaseEvent(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClickEvent(static_cast<QMouseEvent *>(event));
        return true;
    default:
        return QObject::event(event);
    }
}

void TrayIcon::mouseMoveEvent(QMouseEvent *event)
{
    event->ignore();
}

void TrayIcon::mousePressEvent(QMouseEvent *event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    switch (event->button()) {
    case Qt::RightButton:
        if (m_popup)
            m_popup->popup(globalPos);
        break;
    case Qt::LeftButton:
    case Qt::MiddleButton:
        emit clicked(globalPos, event->button());
        break;
    default:
        break;
    }
    event->ignore();
}

void TrayIcon::mouseReleaseEvent(QMouseEvent *event)
{
    event->ignore();
}

void TrayIcon::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit doubleClicked(event->globalPosition().toPoint());
    event->accept();
}
