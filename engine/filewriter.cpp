#include "filewriter.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool writeAllTo(int fd, const QByteArray &content)
{
    const char *data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool replaceFile(const QString &path, const QByteArray &content, mode_t newFileMode)
{
    QByteArray target = QFile::encodeName(path);
    // Writing through a symbolic link replaces the file it points to, not the link.
    if (char *resolved = ::realpath(target.constData(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false;

    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;

    bool ok = writeAllTo(fd, content);
    if (ok) {
        if (exists) {
            ok = ::fchmod(fd, old.st_mode & 07777) == 0;
            // Only root may give the file back to its owner; others keep their own.
            if (ok && geteuid() == 0)
                ok = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        } else {
            ok = ::fchmod(fd, newFileMode) == 0;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}
