#include "traydocking.h"

#include "trayicon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

constexpr int TrayIconSize = 22;
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

bool statusNotifierHostAvailable()
{
    // Without an address the bus library would try to start a bus of its own.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(WatcherService).value())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(WatcherService, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << WatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage
        && reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

TrayDocking::TrayDocking(const QIcon &icon, const QString &toolTip, QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_icon(icon)
    , m_toolTip(toolTip)
    , m_menu(menu)
{ }

TrayDocking::~TrayDocking()
{
    delete m_statusItem;
    delete m_trayIcon;
}

void TrayDocking::show()
{
    if (!m_statusItem && !m_trayIcon)
        dock();
}

void TrayDocking::newTrayOwner()
{
    if (m_statusItem)
        return;
    if (statusNotifierHostAvailable()) {
        delete m_trayIcon;
        m_trayIcon = nullptr;
        dock();
        return;
    }
    if (m_trayIcon)
        m_trayIcon->newTrayOwner();
}

void TrayDocking::dock()
{
    if (statusNotifierHostAvailable()) {
        m_statusItem = new QSystemTrayIcon(m_icon);
        m_statusItem->setToolTip(m_toolTip);
        m_statusItem->setContextMenu(m_menu);
        m_statusItem->show();
        return;
    }
    m_trayIcon = new TrayIcon(m_icon.pixmap(TrayIconSize, TrayIconSize), m_toolTip, m_menu);
    connect(m_trayIcon, &TrayIcon::closed, this, &TrayDocking::closed);
    m_trayIcon->show();
}
