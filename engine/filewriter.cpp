#include "filewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <ctime>

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

    struct stat old
    {
    };
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

void removeLeftoverFiles(const QString &folder, const QString &namePattern, int minimumAge)
{
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(namePattern));
    const time_t now = ::time(nullptr);
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!pattern.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        struct stat info
        {
        };
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && now - info.st_mtime >= minimumAge)
            ::unlink(path.constData());
    }
}

void removeLeftoverTemporaries(const QString &path, int minimumAge)
{
    const QFileInfo file(path);
    removeLeftoverFiles(file.absolutePath(),
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}"), minimumAge);
}
