#include "commandrunner.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CommandObserver &observer()
{
    static CommandObserver instance;
    return instance;
}

void report(const QString &commandLine)
{
    if (observer())
        observer()(commandLine);
    const char *logPath = std::getenv("TUVORA_COMMAND_LOG");
    if (logPath && *logPath) {
        if (FILE *log = std::fopen(logPath, "a")) {
            const QByteArray line = commandLine.toLocal8Bit();
            std::fwrite(line.constData(), 1, size_t(line.size()), log);
            std::fputc('\n', log);
            std::fclose(log);
        }
    }
}

bool isShellSafe(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return true;
    switch (u) {
    case '/':
    case '.':
    case '_':
    case '-':
    case '+':
    case ',':
    case ':':
    case '@':
    case '%':
    case '=':
        return true;
    default:
        return u > 127 && c.isLetterOrNumber();
    }
}

// The shell gives up an effective user that differs from the real one (dash and bash
// both do), so a command run in a root stretch of a set-user-id program would run as
// the invoking user, and tools such as crontab look at the real user anyway. Such a
// command runs as root in full: user and group ids, and no supplementary groups of the
// user. Elsewhere the command keeps the caller's ids, exactly as system() runs it.
int runShell(const QByteArray &commandLine)
{
    if (geteuid() != 0 || getuid() == 0)
        return std::system(commandLine.constData());
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // Only plain system calls between fork and exec: other threads held locks.
        if (::syscall(SYS_setgroups, 0, nullptr) != 0 || ::syscall(SYS_setresgid, 0, 0, 0) != 0
            || ::syscall(SYS_setresuid, 0, 0, 0) != 0)
            _exit(127);
        execl("/bin/sh", "sh", "-c", commandLine.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

} // namespace

int runCommand(const QString &commandLine)
{
    report(commandLine);
    std::fflush(nullptr);
    return runShell(commandLine.toLocal8Bit());
}

QString whichProgram(const QString &program)
{
    // A word that which would take for an option names no program.
    if (program.isEmpty() || program.startsWith(QLatin1Char('-')))
        return {};
    const QString commandLine = fillCommand(QStringLiteral("which %1"), { program });
    report(commandLine);
    std::fflush(nullptr);
    FILE *pipe = popen(commandLine.toLocal8Bit().constData(), "r");
    if (!pipe)
        return {};
    char word[500] = {};
    const int matched = std::fscanf(pipe, "%499s", word);
    pclose(pipe);
    return matched == 1 ? QString::fromLocal8Bit(word) : QString();
}

QString shellQuote(const QString &value)
{
    if (!value.isEmpty() && std::all_of(value.cbegin(), value.cend(), isShellSafe))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString fillCommand(const QString &commandTemplate, const QStringList &values)
{
    QString result;
    result.reserve(commandTemplate.size() + 32);
    for (qsizetype i = 0; i < commandTemplate.size(); ++i) {
        const QChar c = commandTemplate.at(i);
        if (c == QLatin1Char('%') && i + 1 < commandTemplate.size() && commandTemplate.at(i + 1).isDigit()) {
            const int index = commandTemplate.at(i + 1).digitValue() - 1;
            if (index >= 0 && index < values.size()) {
                result += shellQuote(values.at(index));
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

void setCommandObserver(CommandObserver newObserver)
{
    observer() = std::move(newObserver);
}
