#include "applicationblocking.h"

#include "activationlock.h"
#include "blockrecord.h"
#include "commandrunner.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"
#include "rootfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void diagnostic(const QString &text)
{
    QTextStream(stderr) << text << '\n';
}

// A value from the policy as one printable line: control characters and "%" are
// percent-encoded.
QString printable(const QString &value)
{
    return QString::fromLatin1(value.toUtf8().toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[\\]^`{|}~"));
}

// The path that the application's command line starts, or an empty string when which
// finds nothing usable. Only an absolute path is accepted: anything else would be read
// relative to the working directory.
QString locateProgram(const BlockedApplication &application)
{
    const QString program = application.exec.section(QLatin1Char(' '), 0, 0);
    const QString path = whichProgram(program);
    if (path.isEmpty() || !path.startsWith(QLatin1Char('/'))) {
        diagnostic(QLatin1String("Program not found, not blocked or unblocked: ") + printable(program));
        return {};
    }
    return path;
}

bool sameFile(const struct stat &info, quint64 device, quint64 inode)
{
    return quint64(info.st_dev) == device && quint64(info.st_ino) == inode;
}

// Opens a program file for changing its mode, never through a link.
int openProgram(const QByteArray &path)
{
    return ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// A rename that never replaces what stands at the new name.
bool renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL)
        return false;
    // A file system without the flag: look right before, and refuse what stands there.
    struct stat info
    {
    };
    return ::lstat(to.constData(), &info) != 0 && errno == ENOENT && ::rename(from.constData(), to.constData()) == 0;
}

bool isGateLink(const QByteArray &path)
{
    char target[PATH_MAX] = {};
    const ssize_t length = ::readlink(path.constData(), target, sizeof target - 1);
    return length > 0 && QByteArray(target, length) == Paths::GateScript;
}

// The KDE launcher library of the program gets the mode, when it is root's own file.
void setLauncherLibraryMode(const QString &place, mode_t mode)
{
    const QString library = QLatin1String(Paths::LauncherLibraryDir) + QLatin1String("/libkdeinit_")
        + QFileInfo(place).fileName() + QLatin1String(".so");
    const QString libraryPlace = programPlace(library);
    const QByteArray path = QFile::encodeName(libraryPlace);
    struct stat info
    {
    };
    if (libraryPlace.isEmpty() || ::lstat(path.constData(), &info) != 0)
        return;
    if (!S_ISREG(info.st_mode) || info.st_uid != 0 || !isRootOnlyFolderChain(QFileInfo(libraryPlace).path())) {
        diagnostic(QLatin1String("Launcher library left as it is: ") + printable(libraryPlace));
        return;
    }
    const int fd = openProgram(path);
    struct stat opened
    {
    };
    if (fd >= 0 && ::fstat(fd, &opened) == 0 && sameFile(opened, info.st_dev, info.st_ino)) {
        [[maybe_unused]] const int rc = ::fchmod(fd, mode);
    }
    if (fd >= 0)
        ::close(fd);
}

bool failed(const QString &what, const QString &place)
{
    diagnostic(what + printable(place));
    return false;
}

bool exchangeNames(const QByteArray &first, const QByteArray &second)
{
    return ::renameat2(AT_FDCWD, first.constData(), AT_FDCWD, second.constData(), RENAME_EXCHANGE) == 0;
}

// The program and the gate's link change places in one step (the link is made at the
// free name first), so that the program's path never stands empty: a block or unblock
// that is killed leaves both names as they were, or both swapped with a link to the
// gate left at the moved name, which the next run clears away. Where the file system
// cannot swap names, the steps follow each other.
bool putGateInPlace(const QByteArray &path, const QByteArray &aside)
{
    if (::symlink(Paths::GateScript, aside.constData()) != 0)
        return false;
    if (exchangeNames(path, aside))
        return true;
    const bool cannotSwap = errno == EINVAL;
    ::unlink(aside.constData());
    if (!cannotSwap || !renameNoReplace(path, aside))
        return false;
    if (::symlink(Paths::GateScript, path.constData()) == 0)
        return true;
    renameNoReplace(aside, path);
    return false;
}

bool putProgramBack(const QByteArray &path, const QByteArray &aside, bool gateInPlace)
{
    if (!gateInPlace)
        return renameNoReplace(aside, path);
    if (exchangeNames(aside, path)) {
        ::unlink(aside.constData());
        return true;
    }
    if (errno != EINVAL || ::unlink(path.constData()) != 0)
        return false;
    if (renameNoReplace(aside, path))
        return true;
    [[maybe_unused]] const int rc = ::symlink(Paths::GateScript, path.constData());
    return false;
}

bool block(BlockedApplication &application)
{
    const QString located = locateProgram(application);
    if (located.isEmpty())
        return true;
    const QString refusal = blockRefusal(located);
    if (!refusal.isEmpty()) {
        diagnostic(QLatin1String("Not blocked: ") + printable(located) + QLatin1String(": ") + refusal);
        return true;
    }
    const QString place = programPlace(located);
    const QByteArray path = QFile::encodeName(place);
    const QByteArray aside = QFile::encodeName(place + QLatin1String(".tuvora"));
    struct stat info
    {
    };
    if (::lstat(aside.constData(), &info) == 0) {
        if (!isGateLink(aside) || isGateLink(path))
            return true; // blocked already: the first record stays
        // The gate's link left at the moved name by a run cut short; the program is in its place.
        if (::unlink(aside.constData()) != 0)
            return failed(QStringLiteral("Cannot clear the moved name, not blocked: "), place);
    }
    if (::lstat(path.constData(), &info) != 0)
        return failed(QStringLiteral("Cannot read the program file, not blocked: "), place);

    BlockRecord record { place, 0, S_ISLNK(info.st_mode), quint64(info.st_dev), quint64(info.st_ino) };
    int fd = -1;
    if (record.link) {
        // The link is moved aside as it is; the program it points to keeps its mode.
        struct stat target
        {
        };
        if (::stat(path.constData(), &target) != 0)
            return failed(QStringLiteral("Cannot read the program file, not blocked: "), place);
        record.mode = target.st_mode & 07777;
    } else {
        fd = openProgram(path);
        struct stat opened
        {
        };
        if (fd < 0 || ::fstat(fd, &opened) != 0 || !sameFile(opened, record.device, record.inode)) {
            if (fd >= 0)
                ::close(fd);
            return failed(QStringLiteral("The program file changed while it was being blocked: "), place);
        }
        record.mode = opened.st_mode & 07777;
    }

    // The record first, then the mode of 700 (only root may run the program under its
    // moved name), then the swap.
    bool ok = saveBlockRecord(record);
    if (!ok) {
        diagnostic(QLatin1String("Cannot record the mode of the program, not blocked: ") + printable(place));
    } else if ((fd >= 0 && ::fchmod(fd, 0700) != 0) || !putGateInPlace(path, aside)) {
        ok = failed(QStringLiteral("Cannot put the gate in the program's place, not blocked: "), place);
        if (fd >= 0) {
            [[maybe_unused]] const int rc = ::fchmod(fd, record.mode);
        }
        removeBlockRecord(place);
    }
    if (fd >= 0)
        ::close(fd);
    if (ok) {
        application.permissions = permissionsToString(record.mode);
        setLauncherLibraryMode(place, 0700);
    }
    return ok;
}

void forgetBlock(BlockedApplication &application, const QString &place)
{
    removeBlockRecord(place);
    application.permissions.clear();
    setLauncherLibraryMode(place, 0755);
}

bool unblock(BlockedApplication &application)
{
    const QString located = locateProgram(application);
    const QString place = located.isEmpty() ? QString() : programPlace(located);
    if (place.isEmpty())
        return true;
    const QByteArray path = QFile::encodeName(place);
    const QByteArray aside = QFile::encodeName(place + QLatin1String(".tuvora"));
    struct stat asideInfo
    {
    };
    if (::lstat(aside.constData(), &asideInfo) != 0)
        return true; // not blocked
    const std::optional<BlockRecord> record = loadBlockRecord(place);
    struct stat current
    {
    };
    const bool pathExists = ::lstat(path.constData(), &current) == 0;
    const bool pathFree = !pathExists && errno == ENOENT;
    if (isGateLink(aside) && pathExists && !isGateLink(path)) {
        // An unblock cut short after the swap: the program is back, only the link is left.
        if (::unlink(aside.constData()) != 0)
            return failed(QStringLiteral("Cannot clear the moved name: "), place);
        if (record && sameFile(current, record->device, record->inode))
            forgetBlock(application, place);
        return true;
    }
    if (!record) {
        diagnostic(
            QLatin1String("Not moved aside by Tuvora, left as it is: ") + printable(place) + QLatin1String(".tuvora"));
        return true;
    }
    // Only what the suite moved aside, still in root's own folder, goes back.
    if (!sameFile(asideInfo, record->device, record->inode) || record->link != S_ISLNK(asideInfo.st_mode)
        || !isRootOnlyFolderChain(QFileInfo(place).path()))
        return failed(QStringLiteral("Changed since it was moved aside, left as it is: "), place);
    if (pathExists ? !isGateLink(path) : !pathFree)
        return failed(QStringLiteral("The program's path no longer leads to the gate, left as it is: "), place);

    int fd = -1;
    if (!record->link) {
        fd = openProgram(aside);
        struct stat opened
        {
        };
        if (fd < 0 || ::fstat(fd, &opened) != 0 || !sameFile(opened, record->device, record->inode)) {
            if (fd >= 0)
                ::close(fd);
            return failed(QStringLiteral("Changed since it was moved aside, left as it is: "), place);
        }
    }
    // The mode the program had when it was moved aside, then the swap back.
    bool ok = fd < 0 || ::fchmod(fd, record->mode & 07777) == 0;
    if (!ok || !putProgramBack(path, aside, pathExists)) {
        ok = failed(QStringLiteral("Cannot put the program back: "), place);
        if (fd >= 0) {
            [[maybe_unused]] const int rc = ::fchmod(fd, 0700);
        }
    }
    if (fd >= 0)
        ::close(fd);
    if (ok)
        forgetBlock(application, place);
    return ok;
}

} // namespace

QString applicationBlockRefusal(const BlockedApplication &application)
{
    return blockRefusal(whichProgram(application.exec.section(QLatin1Char(' '), 0, 0)));
}

QString permissionsToString(unsigned int mode)
{
    return QString::number((mode >> 9) & 7) + QString::number((mode >> 6) & 7) + QString::number((mode >> 3) & 7)
        + QString::number(mode & 7);
}

bool applyApplicationBlocking(Policy &policy, bool restrictNow)
{
    RootStretch stretch;
    ActivationLock lock;
    if (!lock.held())
        return false;
    bool ok = true;
    if (!policy.active && restrictNow) {
        if (readStatus() != 1)
            return true;
        for (BlockedApplication &application : policy.applications)
            ok = block(application) && ok;
    } else if (readStatus() == 1) {
        ok = unblockApplications(policy);
    }
    return ok;
}

bool unblockApplications(Policy &policy)
{
    RootStretch stretch;
    ActivationLock lock;
    if (!lock.held())
        return false;
    bool ok = true;
    for (BlockedApplication &application : policy.applications)
        ok = unblock(application) && ok;
    return ok;
}
