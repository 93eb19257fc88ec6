#include "privileges.h"

#include "paths.h"

#include <QFile>
#include <QFileInfo>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The C library's seteuid changes every thread of the process. The kernel keeps the ids
// per thread, and a stretch changes only the calling thread's: engine work on a worker
// thread becomes root while the GUI thread keeps drawing as the user.
int setThreadEuid(uid_t euid)
{
    return int(::syscall(SYS_setresuid, uid_t(-1), euid, uid_t(-1)));
}

} // namespace

RootStretch::RootStretch()
    : m_savedEuid(geteuid())
{
    // A failed switch goes unnoticed: the work is then done with the current rights.
    [[maybe_unused]] const int rc = setThreadEuid(0);
}

RootStretch::~RootStretch()
{
    [[maybe_unused]] const int rc = setThreadEuid(m_savedEuid);
}

QByteArray readFileAsRoot(const QString &path)
{
    return asRoot([&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    });
}

void removeFileAsRoot(const QString &path)
{
    asRoot([&] { QFile::remove(path); });
}

bool isPrivilegeTool(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const char *tool : Paths::PrivilegeTools) {
        if (path == QLatin1String(tool))
            return true;
        if (!canonical.isEmpty() && canonical == QFileInfo(QString::fromLatin1(tool)).canonicalFilePath())
            return true;
    }
    return false;
}
