#include "activationlock.h"

#include "paths.h"
#include "privileges.h"
#include "rootfolder.h"

#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Per thread: nested objects of one thread share its lock, while another thread of the
// process opens the file anew and waits like any other process (flock conflicts
// between open files, not between processes).
thread_local int depth = 0;
thread_local int lockFd = -1;

int openLockFile()
{
    if (!ensureRootFolder(Paths::StateDir, 0755))
        return -1;
    const int fd = ::open(Paths::ActivationLock, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != 0) {
        ::close(fd);
        return -1;
    }
    int rc = 0;
    while ((rc = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) { }
    if (rc != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

ActivationLock::ActivationLock()
{
    if (depth == 0) {
        lockFd = asRoot(openLockFile);
        if (lockFd < 0) {
            QTextStream(stderr) << "The activation lock cannot be taken, nothing changed: " << Paths::ActivationLock
                                << '\n';
            return;
        }
    }
    ++depth;
    m_held = true;
}

ActivationLock::~ActivationLock()
{
    if (!m_held)
        return;
    if (--depth == 0) {
        ::close(lockFd);
        lockFd = -1;
    }
}
