#include "terminationwatch.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdint>

#include <fcntl.h>
#include <unistd.h>

namespace {

int notes[2] = { -1, -1 };

void noteTermination(int, siginfo_t *info, void *)
{
    const int savedErrno = errno;
    // si_code 0 and below: kill(), sigqueue() or tgkill() of a process, which set si_uid.
    const int32_t sender = info && info->si_code <= 0 ? int32_t(info->si_uid) : -1;
    [[maybe_unused]] const ssize_t written = write(notes[1], &sender, sizeof sender);
    errno = savedErrno;
}

} // namespace

bool TerminationWatch::install()
{
    if (notes[0] < 0 && pipe2(notes, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_sigaction = noteTermination;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0;
}

TerminationNotifier::TerminationNotifier(QObject *parent)
    : QObject(parent)
{
    if (notes[0] < 0)
        return;
    m_notifier = new QSocketNotifier(notes[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationNotifier::readNotes);
}

void TerminationNotifier::readNotes()
{
    int32_t sender = -1;
    while (read(notes[0], &sender, sizeof sender) == sizeof sender)
        emit terminationRequested(sender == 0);
}
