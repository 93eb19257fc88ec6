#include "defaultgateway.h"

#include <QFile>
#include <QList>

namespace {

// The kernel writes the address as eight hexadecimal digits of a number in host byte
// order: on the machines the suite runs on the last pair is the first byte.
QString dottedFromKernelHex(const QByteArray &hex)
{
    bool ok = false;
    const quint32 value = hex.trimmed().toUInt(&ok, 16);
    if (!ok)
        return {};
    return QStringLiteral("%1.%2.%3.%4")
        .arg(value & 0xff)
        .arg((value >> 8) & 0xff)
        .arg((value >> 16) & 0xff)
        .arg((value >> 24) & 0xff);
}

} // namespace

int readDefaultGateway(const QString &routeTable, QString &gateway)
{
    QFile file(routeTable);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // The kernel's tables report no size: read until a read gives nothing.
    for (QByteArray line = file.readLine(512); !line.isEmpty(); line = file.readLine(512)) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 3 || fields.at(1) != "00000000")
            continue;
        const QString address = dottedFromKernelHex(fields.at(2));
        if (address.isEmpty())
            continue;
        gateway = address;
        return 0;
    }
    return 1;
}
