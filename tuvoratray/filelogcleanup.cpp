#include "filelogcleanup.h"

#include "filewriter.h"
#include "loglines.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// A writer holds the log open only for the moment of one append; a few short waits
// catch a moment when nobody does.
constexpr int LeaseAttempts = 50;
constexpr long LeaseRetryNanoseconds = 10 * 1000 * 1000;

// The kernel tells the holder of a lease with SIGIO that someone waits for the file;
// the rewrite is short and needs no telling, and SIGIO would end the program.
class IgnoredLeaseSignal
{
public:
    IgnoredLeaseSignal()
    {
        struct sigaction ignore
        {
        };
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGIO, &ignore, &m_previous);
    }
    ~IgnoredLeaseSignal() { ::sigaction(SIGIO, &m_previous, nullptr); }
    IgnoredLeaseSignal(const IgnoredLeaseSignal &) = delete;
    IgnoredLeaseSignal &operator=(const IgnoredLeaseSignal &) = delete;

private:
    struct sigaction m_previous
    {
    };
};

bool readAll(int fd, QByteArray &content)
{
    content.clear();
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        content.append(buffer, got);
    }
}

bool rewriteInPlace(int fd, const QByteArray &content)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAllTo(fd, content) && ::ftruncate(fd, content.size()) == 0;
}

// Opens the log for reading and writing and takes a write lease on it: from then on,
// every other opening of the file waits until the lease is given back.
int openLeased(const QByteArray &path, bool &leased)
{
    leased = false;
    for (int attempt = 0; attempt < LeaseAttempts; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct stat info
        {
        };
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            return -1;
        }
        if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
            leased = true;
            return fd;
        }
        // Anything but "open elsewhere right now" will not change by waiting.
        if (errno != EAGAIN)
            return fd;
        ::close(fd);
        const struct timespec pause
        {
            0, LeaseRetryNanoseconds
        };
        ::nanosleep(&pause, nullptr);
    }
    return ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

} // namespace

bool isFileLogNoise(QByteArrayView line)
{
    return line.contains("IN_ISDIR") || line.contains("IN_ATTRIB") || line.contains("/.") || line.contains("IN_OPEN");
}

QByteArray withoutNoise(const QByteArray &content)
{
    return keptLines(content, [](QByteArrayView line) { return !isFileLogNoise(line); });
}

QByteArray cleanFilesLog(const QString &path)
{
    const IgnoredLeaseSignal ignored;
    bool leased = false;
    const int fd = openLeased(QFile::encodeName(path), leased);
    if (fd < 0)
        return {};
    QByteArray content;
    if (!readAll(fd, content)) {
        ::close(fd);
        return {};
    }
    if (leased) {
        const QByteArray cleaned = withoutNoise(content);
        if (cleaned.size() != content.size()) {
            if (rewriteInPlace(fd, cleaned))
                content = cleaned;
            else
                rewriteInPlace(fd, content);
        }
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    }
    ::close(fd);
    return content;
}
