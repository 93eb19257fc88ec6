#include "commandrunner.h"

#include "paths.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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

// In the child, before anything runs: the child is wholly the calling thread's effective
// user. Inside a root stretch of a set-user-id program the real user is still the
// caller's, and the shell (and every init script it starts) would drop an effective root
// for that reason; outside a stretch the saved root must not reach the child either.
//
// Plain system calls only: the child of a threaded parent may find the C library's locks
// held.
void becomeWhollyTheEffectiveUser()
{
    const uid_t euid = ::geteuid();
    const gid_t egid = ::getegid();
    bool ok = true;
    if (euid == 0) {
        // A user namespace (the project's sandbox for a normal user) refuses to change
        // the supplementary groups; the ids are what matters.
        ::syscall(SYS_setgroups, 0, nullptr);
        ok = ::syscall(SYS_setresgid, 0, 0, 0) == 0 && ::syscall(SYS_setresuid, 0, 0, 0) == 0;
    } else {
        ok = ::syscall(SYS_setresgid, egid, egid, egid) == 0 && ::syscall(SYS_setresuid, euid, euid, euid) == 0;
    }
    if (!ok)
        ::_exit(127);
}

// Starts a program (searched on PATH when its name has no slash) with the given output
// streams (-1 keeps the parent's) and returns its process id, or -1.
pid_t startChild(char *const argv[], int outFd, int errFd)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // Only async-signal-safe calls from here on: the parent may have other threads.
    if (outFd >= 0)
        ::dup2(outFd, STDOUT_FILENO);
    if (errFd >= 0)
        ::dup2(errFd, STDERR_FILENO);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    becomeWhollyTheEffectiveUser();
    ::execvp(argv[0], argv);
    ::_exit(127);
}

int waitForChild(pid_t pid)
{
    if (pid < 0)
        return -1;
    int status = 0;
    pid_t waited = -1;
    while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) { }
    return waited == pid ? status : -1;
}

// What the shell prints for a command line on its standard output; the status goes to
// *status.
QByteArray shellOutput(const QString &commandLine, int *status)
{
    QByteArray output;
    int out[2] = { -1, -1 };
    if (::pipe2(out, O_CLOEXEC) != 0) {
        *status = -1;
        return output;
    }
    QByteArray line = commandLine.toLocal8Bit();
    char dashC[] = "-c";
    char *argv[] = { const_cast<char *>(Paths::Shell), dashC, line.data(), nullptr };
    const pid_t pid = startChild(argv, out[1], -1);
    ::close(out[1]);
    char buffer[4096];
    ssize_t got = 0;
    while (pid > 0 && ((got = ::read(out[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
        if (got > 0)
            output.append(buffer, got);
    }
    ::close(out[0]);
    *status = waitForChild(pid);
    return output;
}

} // namespace

int runCommand(const QString &commandLine)
{
    report(commandLine);
    QByteArray line = commandLine.toLocal8Bit();
    char dashC[] = "-c";
    char *argv[] = { const_cast<char *>(Paths::Shell), dashC, line.data(), nullptr };
    return waitForChild(startChild(argv, -1, -1));
}

bool commandSucceeded(int status)
{
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

CommandOutput captureProgram(const QString &program, const QStringList &arguments)
{
    QString commandLine = shellQuote(program);
    for (const QString &argument : arguments)
        commandLine += QLatin1Char(' ') + shellQuote(argument);
    report(commandLine);

    CommandOutput result;
    int out[2] = { -1, -1 };
    int err[2] = { -1, -1 };
    if (::pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    QList<QByteArray> words { program.toLocal8Bit() };
    for (const QString &argument : arguments)
        words.append(argument.toLocal8Bit());
    QList<char *> argv;
    for (QByteArray &word : words)
        argv.append(word.data());
    argv.append(nullptr);

    const pid_t pid = startChild(argv.data(), out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);

    if (pid > 0) {
        // Both streams are read as they come, so that neither can fill up and stall the child.
        pollfd streams[2] = { { out[0], POLLIN, 0 }, { err[0], POLLIN, 0 } };
        QByteArray *targets[2] = { &result.standardOutput, &result.standardError };
        int openStreams = 2;
        while (openStreams > 0) {
            if (::poll(streams, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            for (int i = 0; i < 2; ++i) {
                if (streams[i].fd < 0 || streams[i].revents == 0)
                    continue;
                char buffer[4096];
                const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    targets[i]->append(buffer, got);
                } else if (got == 0 || errno != EINTR) {
                    streams[i].fd = -1;
                    --openStreams;
                }
            }
        }
        result.status = waitForChild(pid);
    }
    ::close(out[0]);
    ::close(err[0]);
    return result;
}

QString whichProgram(const QString &program)
{
    // A word that which would take for an option names no program.
    if (program.isEmpty() || program.startsWith(QLatin1Char('-')))
        return {};
    const QString commandLine = fillCommand(QStringLiteral("which %1"), { program });
    report(commandLine);
    int status = 0;
    const QByteArray output = shellOutput(commandLine, &status);
    // The first white-space-delimited word, at most 499 characters.
    const QList<QByteArray> words = output.simplified().split(' ');
    return words.isEmpty() ? QString() : QString::fromLocal8Bit(words.first().left(499));
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
