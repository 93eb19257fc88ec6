#include "blockrefusal.h"

#include "paths.h"
#include "rootfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The programs the suite and the gate script need, looked for by name in every folder
// of the suite's search path: the shells and env, and the commands the suite runs (a
// blocked which would make the gate start itself forever; a blocked sed or crontab
// would leave the filter and the schedule stuck).
const char *const neededCommands[] = { "sh", "bash", "env", "which", "sed", "crontab", "touch", "cp", "mv", "rm", "ln",
    "chmod", "sudo", "kdesu", "gksu", "gksudo" };

// Named by their fixed paths.
const char *const neededPrograms[] = { Paths::Shell, Paths::Touch, Paths::GateScript, Paths::AdminProgram,
    Paths::TrayProgram, Paths::GateProgram, Paths::ActivatorProgram };

bool isFile(const QByteArray &path, const struct stat &program)
{
    struct stat info
    {
    };
    return ::stat(path.constData(), &info) == 0 && info.st_dev == program.st_dev && info.st_ino == program.st_ino;
}

// Each is compared by the file it names, so another link or a second hard link to the
// same program is refused too.
bool isNeverBlocked(const struct stat &program)
{
    for (const char *path : neededPrograms) {
        if (isFile(path, program))
            return true;
    }
    for (const char *path : Paths::PrivilegeTools) {
        if (isFile(path, program))
            return true;
    }
    for (const QByteArray &folder : QByteArray(Paths::SearchPath).split(':')) {
        for (const char *command : neededCommands) {
            if (isFile(folder + '/' + command, program))
                return true;
        }
    }
    return false;
}

// The refusals are translated under this context in the catalogues of the programs that
// show them.
class ApplicationBlocking
{
    Q_DECLARE_TR_FUNCTIONS(ApplicationBlocking)
};

// The program's path is the suite's link to the gate, and the program lies beside it.
bool isBlockedAlready(const QString &place)
{
    char target[PATH_MAX] = {};
    const ssize_t length = ::readlink(QFile::encodeName(place).constData(), target, sizeof target - 1);
    struct stat aside
    {
    };
    return length > 0 && QByteArray(target, length) == Paths::GateScript
        && ::lstat(QFile::encodeName(place + QLatin1String(".tuvora")).constData(), &aside) == 0;
}

} // namespace

QString programPlace(const QString &programPath)
{
    const QFileInfo program(programPath);
    char *folder = ::realpath(QFile::encodeName(program.path()).constData(), nullptr);
    if (!folder)
        return {};
    QString place = QFile::decodeName(folder);
    std::free(folder);
    if (!place.endsWith(QLatin1Char('/')))
        place += QLatin1Char('/');
    return place + program.fileName();
}

QString blockRefusal(const QString &programPath)
{
    if (!programPath.startsWith(QLatin1Char('/')))
        return ApplicationBlocking::tr("The program was not found on the search path.");
    const QString place = programPlace(programPath);
    struct stat info
    {
    };
    if (place.isEmpty() || ::lstat(QFile::encodeName(place).constData(), &info) != 0)
        return ApplicationBlocking::tr("The program file cannot be read.");
    if (S_ISLNK(info.st_mode) && isBlockedAlready(place))
        return {};
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
        return ApplicationBlocking::tr("This is not a program file.");
    if (!isRootOnlyFolderChain(QFileInfo(place).path()))
        return ApplicationBlocking::tr(
            "The program lies in a folder that users other than root can change; only programs in root's own "
            "folders can be blocked.");
    if (S_ISREG(info.st_mode) && (info.st_uid != 0 || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0))
        return ApplicationBlocking::tr("The program file can be changed by users other than root.");
    struct stat program
    {
    };
    if (::stat(QFile::encodeName(place).constData(), &program) != 0)
        return ApplicationBlocking::tr("The program file cannot be read.");
    if (isNeverBlocked(program))
        return ApplicationBlocking::tr("The system or Tuvora itself needs this program, so it is never blocked.");
    return {};
}
