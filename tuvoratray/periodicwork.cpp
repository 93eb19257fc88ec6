#include "periodicwork.h"

#include "paths.h"
#include "policyconfig.h"
#include "policyfinder.h"
#include "policywarnings.h"
#include "resolverwatch.h"
#include "snapshottaker.h"

#include <QFileSystemWatcher>
#include <QPointer>
#include <QTimer>

namespace {

// A teacher's agent may still be writing the file when the folder changes.
constexpr int IncomingSettleMs = 500;

} // namespace

PeriodicWork::PeriodicWork(TrayModeControl *tray, bool &busy, bool &teacherMode, QObject *parent)
    : QObject(parent)
    , m_tray(tray)
    , m_busy(busy)
    , m_teacherMode(teacherMode)
    , m_snapshots(new SnapshotTaker(this))
    , m_incomingWatch(new QFileSystemWatcher(this))
    , m_incomingSettle(new QTimer(this))
{
    m_incomingSettle->setSingleShot(true);
    m_incomingSettle->setInterval(IncomingSettleMs);
    connect(m_incomingSettle, &QTimer::timeout, this, [this] { checkIncoming(); });
    m_incomingWatch->addPath(Paths::path(Paths::IncomingDir));
    connect(m_incomingWatch, &QFileSystemWatcher::directoryChanged, m_incomingSettle, qOverload<>(&QTimer::start));
}

PeriodicWork::~PeriodicWork() = default;

void PeriodicWork::checkForWarning()
{
    for (const QString &text : takeDueWarnings())
        showPolicyWarning(text);
    checkIncoming([this] {
        // Not while the tray's own engine work runs (start-up, a mode switch, the end):
        // the next tick checks.
        if (readType() != 3 && !m_teacherMode && !m_busy)
            sharedPolicyFinder(m_tray)->onTimeout();
    });
}

void PeriodicWork::checkIncoming(std::function<void()> then)
{
    if (m_busy) {
        if (then)
            then();
        return;
    }
    m_busy = true;
    // The finder outlives the tray's objects.
    sharedPolicyFinder(m_tray)->takeIncoming(
        m_teacherMode, [self = QPointer(this), then = std::move(then)](bool teacherMode) {
            if (!self)
                return;
            PeriodicWork *const that = self;
            that->m_teacherMode = teacherMode;
            that->m_busy = false;
            if (then)
                then();
        });
}

void PeriodicWork::getSnapShot(QTimer *snapshotTimer)
{
    m_snapshots->getSnapShot(snapshotTimer);
}

void PeriodicWork::updateSquid(QDateTime &resolvConfStamp)
{
    if (resolverChanged(resolvConfStamp, Paths::path(Paths::ResolvConf)))
        reconfigureSquid(this);
}
