#include "sandboxcheck.h"

#include <QByteArray>
#include <QFile>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

bool insideSandbox()
{
    return qgetenv("TUVORA_SANDBOX") == "inside";
}

void requireSandbox()
{
    if (!insideSandbox()) {
        std::fprintf(stderr, "This test changes system paths and runs only inside scripts/sandbox.\n");
        std::exit(2);
    }
}

bool runningAsMachineRoot()
{
    QFile uidMap(QStringLiteral("/proc/self/uid_map"));
    return ::geteuid() == 0 && uidMap.open(QIODevice::ReadOnly) && uidMap.readAll().simplified() == "0 0 4294967295";
}
