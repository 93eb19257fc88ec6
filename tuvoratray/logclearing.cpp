#include "logclearing.h"

#include "filewriter.h"
#include "paths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool emptyLogInPlace(const QString &path)
{
    // Non-blocking, so that a FIFO put in the log's place cannot hold the dialog.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0640);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    const bool emptied = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) == 0;
    ::close(fd);
    return emptied;
}

void removeSnapshots(const QString &directory)
{
    const QDir dir(directory);
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        // rm -f leaves folders alone but removes a link to one.
        if (entry.isSymLink() || !entry.isDir())
            QFile::remove(entry.filePath());
    }
}

bool writeFileLogSize(int megabytes)
{
    return replaceFile(Paths::path(Paths::FileLogSize), QByteArray::number(megabytes) + '\n', 0644);
}
