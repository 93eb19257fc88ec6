#include "commandrunner.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

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

} // namespace

int runCommand(const QString &commandLine)
{
    report(commandLine);
    std::fflush(nullptr);
    return std::system(commandLine.toLocal8Bit().constData());
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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, argv.first(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);

    if (spawned == 0) {
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
        int status = 0;
        pid_t waited = -1;
        while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) { }
        result.status = waited == pid ? status : -1;
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
