#include "userprocess.h"

#include <QByteArray>
#include <QFile>

#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

bool startDetachedAsUser(const QString &program, const QStringList &arguments)
{
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &piece : storage)
        argv.push_back(piece.data());
    argv.push_back(nullptr);

    const uid_t user = geteuid();
    const gid_t group = getegid();

    // The grandchild reports a failed exec through this pipe; a clean close means the
    // program runs.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;

    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        close(report[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            int error = 0;
            if (setresgid(group, group, group) != 0 || setresuid(user, user, user) != 0)
                error = errno ? errno : EPERM;
            if (!error) {
                execv(argv[0], argv.data());
                error = errno;
            }
            [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }

    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}
