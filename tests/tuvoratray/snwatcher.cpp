// A minimal status notifier watcher for the tests, as a panel runs it: it takes the
// watcher's name on the session bus, says that a host shows the items, and for each
// item that registers prints
//   item SERVICE
//   entry TEXT [image] [greyed]     (one line per entry of the item's menu)
// on its standard output.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTextStream>
#include <QTimer>

namespace {

const QString ItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

void printEntries(const QDBusArgument &layout, QTextStream &out)
{
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    if (properties.contains(QStringLiteral("label"))) {
        out << "entry " << properties.value(QStringLiteral("label")).toString();
        if (properties.contains(QStringLiteral("icon-data")) || properties.contains(QStringLiteral("icon-name")))
            out << " [image]";
        if (properties.contains(QStringLiteral("enabled")) && !properties.value(QStringLiteral("enabled")).toBool())
            out << " [greyed]";
        out << '\n';
    }
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        printEntries(child.variant().value<QDBusArgument>(), out);
    }
    layout.endArray();
    layout.endStructure();
}

} // namespace

class StatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)

public:
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList registeredItems() const { return m_items; }

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        m_items.append(service);
        emit StatusNotifierItemRegistered(service);
        // The item's menu is read once the item has finished registering.
        QTimer::singleShot(200, this, [this, service] { describe(service); });
    }
    void RegisterStatusNotifierHost(const QString &) { }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    void describe(const QString &service)
    {
        QTextStream out(stdout);
        out << "item " << service << '\n';
        QDBusConnection bus = QDBusConnection::sessionBus();
        QDBusMessage get = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << ItemInterface << QStringLiteral("Menu");
        const QDBusMessage menuPath = bus.call(get);
        const QString path
            = menuPath.arguments().value(0).value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
        QDBusMessage layout = QDBusMessage::createMethodCall(
            service, path, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
        layout << 0 << -1 << QStringList();
        const QDBusMessage reply = bus.call(layout);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2)
            printEntries(reply.arguments().at(1).value<QDBusArgument>(), out);
        out << "end\n";
        out.flush();
    }

    QStringList m_items;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    StatusNotifierWatcher watcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        QTextStream(stderr) << "snwatcher: cannot take the watcher's name\n";
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}

#include "snwatcher.moc"
