#include "programlookup.h"

#include "setuidstart.h"

#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// which's own test: a regular file (links followed) that the effective user may run.
bool isRunnableFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info
    {
    };
    return ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode)
        && ::faccessat(AT_FDCWD, name.constData(), X_OK, AT_EACCESS) == 0;
}

QStringList searchDirectories()
{
    static const QStringList directories
        = QString::fromLatin1(SetuidStart::searchPath).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return directories;
}

} // namespace

QString lookUpProgram(const QString &exec)
{
    const QString program = exec.section(QLatin1Char(' '), 0, 0);
    if (program.isEmpty() || program.startsWith(QLatin1Char('-')))
        return {};
    if (program.contains(QLatin1Char('/')))
        return isRunnableFile(program) ? program : QString();
    for (const QString &directory : searchDirectories()) {
        const QString candidate = directory + QLatin1Char('/') + program;
        if (isRunnableFile(candidate))
            return candidate;
    }
    return {};
}
