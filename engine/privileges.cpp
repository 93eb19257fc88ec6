#include "privileges.h"

#include <QFile>

#include <unistd.h>

RootStretch::RootStretch()
    : m_savedEuid(geteuid())
{
    // A failed switch goes unnoticed: the work is then done with the current rights.
    [[maybe_unused]] const int rc = seteuid(0);
}

RootStretch::~RootStretch()
{
    [[maybe_unused]] const int rc = seteuid(m_savedEuid);
}

void removeFileAsRoot(const QString &path)
{
    asRoot([&] { QFile::remove(path); });
}

bool isPrivilegeTool(const QString &path)
{
    return path == QLatin1String("/usr/bin/sudo") || path == QLatin1String("/usr/bin/kdesu")
        || path == QLatin1String("/usr/bin/gksu") || path == QLatin1String("/usr/bin/gksudo");
}
