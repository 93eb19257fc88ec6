#include "blockrecord.h"

#include "filewriter.h"
#include "paths.h"
#include "rootfolder.h"

#include <QCryptographicHash>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool recordFolderReady()
{
    return ensureRootFolder(Paths::StateDir, 0755) && ensureRootFolder(Paths::BlockedModesDir, 0700);
}

// One file per program, named after a digest of its path: any path fits in a name.
QString recordFile(const QString &path)
{
    return Paths::path(Paths::BlockedModesDir) + QLatin1Char('/')
        + QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256).toHex());
}

QByteArray readRootFile(const QString &file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray content;
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == 0 && info.st_size < 65536) {
        char buffer[65536];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            content = QByteArray(buffer, got);
    }
    ::close(fd);
    return content;
}

} // namespace

bool saveBlockRecord(const BlockRecord &record)
{
    if (!recordFolderReady())
        return false;
    const QString file = recordFile(record.path);
    removeLeftoverTemporaries(file);
    const QByteArray content = "path=" + QFile::encodeName(record.path)
        + "\nmode=" + QByteArray::number(record.mode & 07777, 8).rightJustified(4, '0')
        + "\ntype=" + (record.link ? "link" : "file") + "\ndevice=" + QByteArray::number(record.device)
        + "\ninode=" + QByteArray::number(record.inode) + '\n';
    return replaceFile(file, content, 0600);
}

std::optional<BlockRecord> loadBlockRecord(const QString &path)
{
    if (!recordFolderReady())
        return std::nullopt;
    BlockRecord record;
    bool ok[5] = {};
    for (const QByteArray &line : readRootFile(recordFile(path)).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (equals < 0)
            continue;
        if (key == "path") {
            record.path = QFile::decodeName(value);
            ok[0] = record.path == path;
        } else if (key == "mode") {
            record.mode = value.toUInt(&ok[1], 8);
            ok[1] = ok[1] && record.mode <= 07777;
        } else if (key == "type") {
            record.link = value == "link";
            ok[2] = record.link || value == "file";
        } else if (key == "device") {
            record.device = value.toULongLong(&ok[3]);
        } else if (key == "inode") {
            record.inode = value.toULongLong(&ok[4]);
        }
    }
    for (bool part : ok) {
        if (!part)
            return std::nullopt;
    }
    return record;
}

void removeBlockRecord(const QString &path)
{
    if (recordFolderReady())
        ::unlink(QFile::encodeName(recordFile(path)).constData());
}
