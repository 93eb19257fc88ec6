#pragma once

#include <QDateTime>
#include <QString>

class QObject;

// squid resolves names with the servers of /etc/resolv.conf as it found them when it
// started; when that file changes (a new network), squid reads its configuration again.

// True when the file's modification time differs from the stamp, which then takes the
// new time. The first look (a null stamp) only records the time.
bool resolverChanged(QDateTime &stamp, const QString &resolvConf);

// "/usr/sbin/squid -k reconfigure" as root, on a worker thread.
void reconfigureSquid(QObject *context);
