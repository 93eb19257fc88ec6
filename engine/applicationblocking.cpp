#include "applicationblocking.h"

#include "commandrunner.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <sys/stat.h>

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
// relative to the working directory, or as an option by the commands that follow.
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

QString launcherLibrary(const QString &programPath)
{
    const QString baseName = programPath.section(QLatin1Char('/'), -1);
    return QLatin1String(ApplicationBlocking::LauncherLibraryDirectory) + QLatin1String("/libkdeinit_") + baseName
        + QLatin1String(".so");
}

bool isBlocked(const QString &programPath)
{
    struct stat info
    {
    };
    // The moved executable is a file (or a moved link); lstat sees it even when dangling.
    return ::lstat(QFile::encodeName(programPath + QLatin1String(".tuvora")).constData(), &info) == 0;
}

void block(BlockedApplication &application)
{
    const QString path = locateProgram(application);
    if (path.isEmpty() || isPrivilegeTool(path) || isBlocked(path))
        return;

    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        diagnostic(QLatin1String("Cannot read the mode of ") + path + QLatin1String(", not blocked"));
        return;
    }
    // which's output is read up to the first blank: a path with a space in it would be
    // cut short and might name a directory. Only a program file is ever moved.
    if (!S_ISREG(info.st_mode)) {
        diagnostic(QLatin1String("Not a program file, not blocked: ") + path);
        return;
    }
    application.permissions = permissionsToString(info.st_mode);

    runCommand(fillCommand(QStringLiteral("mv %1 %2.tuvora"), { path, path }));
    runCommand(fillCommand(QStringLiteral("ln -s %1 %2"), { QLatin1String(ApplicationBlocking::GateScript), path }));
    runCommand(fillCommand(QStringLiteral("chmod 700 %1.tuvora"), { path }));
    const QString library = launcherLibrary(path);
    if (QFile::exists(library))
        runCommand(QLatin1String("chmod 700 ") + shellQuote(library));
}

// The saved mode goes onto a command line; only octal digits may.
QString savedMode(const BlockedApplication &application)
{
    static const QRegularExpression octalMode(QStringLiteral("^[0-7]{3,4}$"));
    if (octalMode.match(application.permissions).hasMatch())
        return application.permissions;
    diagnostic(QLatin1String("No saved mode for ") + printable(application.desktopFile) + QLatin1String(", restoring ")
        + QLatin1String(ApplicationBlocking::RestoredModeWhenUnknown));
    return QLatin1String(ApplicationBlocking::RestoredModeWhenUnknown);
}

void unblock(BlockedApplication &application)
{
    const QString path = locateProgram(application);
    if (path.isEmpty() || !isBlocked(path))
        return;

    runCommand(fillCommand(QStringLiteral("rm -f %1"), { path }));
    runCommand(fillCommand(QStringLiteral("mv %1.tuvora %2"), { path, path }));
    runCommand(QLatin1String("chmod ") + savedMode(application) + fillCommand(QStringLiteral(" %1"), { path }));
    application.permissions.clear();
    const QString library = launcherLibrary(path);
    if (QFile::exists(library))
        runCommand(QLatin1String("chmod 755 ") + shellQuote(library));
}

} // namespace

QString permissionsToString(unsigned int mode)
{
    return QString::number((mode >> 9) & 7) + QString::number((mode >> 6) & 7) + QString::number((mode >> 3) & 7)
        + QString::number(mode & 7);
}

void applyApplicationBlocking(Policy &policy, bool restrictNow)
{
    RootStretch stretch;
    if (!policy.active && restrictNow) {
        if (readStatus() != 1)
            return;
        for (BlockedApplication &application : policy.applications)
            block(application);
    } else if (readStatus() == 1) {
        unblockApplications(policy);
    }
}

void unblockApplications(Policy &policy)
{
    RootStretch stretch;
    for (BlockedApplication &application : policy.applications)
        unblock(application);
}
