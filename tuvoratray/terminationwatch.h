#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, with who sent it. The handler only notes the sender's user id; the tray
// does its work in the event loop. A SIGTERM that arrives before the loop runs waits
// for it.
namespace TerminationWatch {
// Installs the handler; call it once, early in main().
bool install();
} // namespace TerminationWatch

// Reports in the event loop each SIGTERM noted by the handler.
class TerminationNotifier : public QObject
{
    Q_OBJECT

public:
    explicit TerminationNotifier(QObject *parent = nullptr);

signals:
    // fromRoot: a process of root sent it; false for any other user and for a signal
    // the kernel raised.
    void terminationRequested(bool fromRoot);

private:
    void readNotes();

    QSocketNotifier *m_notifier = nullptr;
};
