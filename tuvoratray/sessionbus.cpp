#include "sessionbus.h"

#include <QRegularExpression>

#include <cstdlib>

#include <dbus/dbus.h>
#include <unistd.h>

bool isPlainSessionBusAddress(const QByteArray &address)
{
    static const QRegularExpression plain(
        QStringLiteral("^unix:(path=/[A-Za-z0-9_/.\\-]+|abstract=[A-Za-z0-9_/.\\-]+)(,guid=[0-9a-fA-F]+)?$"));
    return plain.match(QString::fromLatin1(address)).hasMatch();
}

bool prepareSessionBus(uid_t caller)
{
    const char *address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address)
        return true;
    if (!isPlainSessionBusAddress(QByteArray(address))) {
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        return true;
    }
    if (geteuid() != 0 || getuid() == 0) {
        dbus_threads_init_default();
        return true;
    }
    if (setresuid(0, 0, 0) != 0)
        return true;
    dbus_threads_init_default();
    return setresuid(caller, 0, 0) == 0 && getuid() == caller;
}
