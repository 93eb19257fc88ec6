#pragma once

#include <QString>

// The default gateway from a kernel route table in the format of /proc/net/route: the
// first line whose destination is 00000000. Returns 0 and writes the gateway as dotted
// decimal when one is found, 1 when the table has no default route, -1 when the file
// cannot be read.
int readDefaultGateway(const QString &routeTable, QString &gateway);
