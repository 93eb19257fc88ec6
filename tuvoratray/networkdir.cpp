#include "networkdir.h"

#include "filewriter.h"
#include "paths.h"
#include "privileges.h"

#include <QFile>
#include <QTextStream>

#include <sys/stat.h>

namespace {

bool isRootOnlyFolder(const char *path)
{
    struct stat info
    {
    };
    return ::lstat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == 0 && (info.st_mode & 022) == 0;
}

} // namespace

bool NetworkDir::ensure()
{
    RootStretch stretch;
    ::mkdir(Paths::StateDir, 0755);
    if (::mkdir(Paths::NetworkDir, 0700) == 0)
        ::chmod(Paths::NetworkDir, 0700);
    if (isRootOnlyFolder(Paths::StateDir) && isRootOnlyFolder(Paths::NetworkDir))
        return true;
    QTextStream(stderr) << "Not a folder of root's own, left unused: " << Paths::NetworkDir << '\n';
    return false;
}

bool NetworkDir::writeFile(const char *place, const QByteArray &content)
{
    RootStretch stretch;
    return ensure() && replaceFile(Paths::path(place), content, 0600);
}

QByteArray NetworkDir::readFile(const char *place)
{
    RootStretch stretch;
    if (!ensure())
        return {};
    QFile file(Paths::path(place));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void NetworkDir::removeFile(const char *place)
{
    RootStretch stretch;
    QFile::remove(Paths::path(place));
}
