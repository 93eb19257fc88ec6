#include "rootfolder.h"

#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isRootOnly(const struct stat &info)
{
    return info.st_uid == 0 && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

bool ensureRootFolder(const char *path, mode_t mode)
{
    struct stat info
    {
    };
    if (::lstat(path, &info) != 0 && errno == ENOENT && ::mkdir(path, mode) == 0) {
        // The umask may have narrowed the mode; the tray must still see into 0755.
        const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            [[maybe_unused]] const int rc = ::fchmod(fd, mode);
            ::close(fd);
        }
    }
    if (::lstat(path, &info) == 0 && S_ISDIR(info.st_mode) && isRootOnly(info))
        return true;
    QTextStream(stderr) << "Not a folder of root's alone, not used: " << path << '\n';
    return false;
}

bool isRootOnlyFolderChain(const QString &canonicalFolder)
{
    if (!canonicalFolder.startsWith(QLatin1Char('/')))
        return false;
    QString folder = canonicalFolder;
    for (;;) {
        struct stat info
        {
        };
        if (::lstat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode) || !isRootOnly(info))
            return false;
        if (folder == QLatin1String("/"))
            return true;
        const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
        folder = slash > 0 ? folder.left(slash) : QStringLiteral("/");
    }
}
