#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>

class QFileSystemWatcher;
class QTimer;
class SnapshotTaker;
class TrayModeControl;

// The timer-driven work of the tray on a machine that enforces policies: the warnings
// before a block, the teacher policies of the incoming folder, the network check, the
// snapshots and the proxy reload after a resolver change. The tray owns one and calls it
// from its timers' slots; it reads and sets the tray's `busy` and `teacherMode`.
//
// Nothing here holds the tray's event loop: warnings do not wait for the user, and what
// changes policies runs on the finder's work queue.
class PeriodicWork : public QObject
{
    Q_OBJECT

public:
    PeriodicWork(TrayModeControl *tray, bool &busy, bool &teacherMode, QObject *parent = nullptr);
    ~PeriodicWork() override;

    // Every 10 seconds: the warnings whose markers are there, the teacher policies, then
    // (outside machine mode 3 and teacher mode) the network check.
    void checkForWarning();
    // The teacher policies dropped into the incoming folder; `then` runs afterwards.
    // A new file in the folder is taken at once, without waiting for the next tick.
    void checkIncoming(std::function<void()> then = {});
    void getSnapShot(QTimer *snapshotTimer);
    // Every 15 seconds: squid reads its configuration again after a resolver change.
    void updateSquid(QDateTime &resolvConfStamp);

    SnapshotTaker *snapshots() const { return m_snapshots; }

private:
    TrayModeControl *m_tray;
    bool &m_busy;
    bool &m_teacherMode;
    SnapshotTaker *m_snapshots;
    QFileSystemWatcher *m_incomingWatch;
    QTimer *m_incomingSettle;
};
