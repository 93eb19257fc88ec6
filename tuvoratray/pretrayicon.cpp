#include "pretrayicon.h"

#include "commandrunner.h"
#include "contextfitler.h"
#include "helpopener.h"
#include "networkpolicies.h"
#include "passwordcheck.h"
#include "paths.h"
#include "periodicwork.h"
#include "policy.h"
#include "policyconfig.h"
#include "preconfiguration.h"
#include "prelog.h"
#include "policyfinder.h"
#include "preabout.h"
#include "privileges.h"
#include "setuidstart.h"
#include "traydocking.h"
#include "traymenu.h"
#include "traypolicies.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>
#include <QTimer>

static void initTrayResources()
{
    Q_INIT_RESOURCE(tuvoratray);
}

namespace {

constexpr int RedockDelay = 10000;
constexpr int WarningInterval = 10000;
constexpr int ResolverInterval = 15000;
constexpr int MinuteMs = 60000;

// Ends the file watcher: the process carries the script's own name, so "killall iwatch"
// would never find it.
QString endFileWatcherCommand()
{
    return QStringLiteral("killall -q ") + QFileInfo(Paths::path(Paths::FileWatcher)).fileName();
}

QIcon productIcon()
{
    return QIcon::fromTheme(QStringLiteral("tuvora"), QIcon(QStringLiteral(":/tuvora/images/windowicon.png")));
}

// The image installed with the system, else the built-in one.
QIcon modeImage()
{
    initTrayResources();
    const QString installed = Paths::path(Paths::ApplyImage);
    return QIcon(QFileInfo::exists(installed) ? installed : QStringLiteral(":/tuvoratray/apply.png"));
}

// The administration program, found on the system's search path rather than the
// caller's.
QString administrationProgramPath()
{
    const QString found = QStandardPaths::findExecutable(
        QStringLiteral("tuvora"), QString::fromLatin1(SetuidStart::searchPath).split(QLatin1Char(':')));
    return found.isEmpty() ? QStringLiteral("tuvora") : found;
}

// The administration program runs with root as its real user, so only root may signal
// it: the user the tray acts as would be refused, and the program would stay open.
void terminateAsRoot(QProcess *process)
{
    asRoot([process] { process->terminate(); });
}

void killAsRoot(QProcess *process)
{
    asRoot([process] { process->kill(); });
}

} // namespace

preTrayIcon::preTrayIcon(QApplication *application)
    : QWidget(nullptr)
    , application(application)
{
    const int machineMode = readType();
    m_enforcing = machineMode == 0 || machineMode == 3;

    // No widget of the program ever shows a context menu.
    application->installEventFilter(new contextFitler(this));

    buildMenu();
    trayIcon = new TrayDocking(productIcon(), QStringLiteral("Tuvora"), menu, this);
    connect(trayIcon, &TrayDocking::closed, this, &preTrayIcon::trayClosed);

    grantDisplayToRoot();

    adminProcess = new QProcess(this);
    trayIcon->show();
    // The panel's tray may come up after the program.
    QTimer::singleShot(RedockDelay, trayIcon, &TrayDocking::newTrayOwner);

    if (!m_enforcing)
        return;
    startPeriodicWork();
    reapplyActivePolicy();
}

preTrayIcon::~preTrayIcon()
{
    revokeDisplayGrant();
}

void preTrayIcon::buildMenu()
{
    menu = new QMenu(this);
    m_entries = std::make_unique<TrayMenu>(menu, m_enforcing, modeImage());
    connect(m_entries->policyConfiguration, &QAction::triggered, this, &preTrayIcon::onPolicy);
    if (m_enforcing) {
        connect(m_entries->underControl, &QAction::triggered, this, &preTrayIcon::onUnder);
        connect(m_entries->freeOfControl, &QAction::triggered, this, &preTrayIcon::onFree);
        connect(m_entries->viewLog, &QAction::triggered, this, &preTrayIcon::onViewLog);
    }
    connect(m_entries->settings, &QAction::triggered, this, qOverload<>(&preTrayIcon::onSettings));
    connect(m_entries->help, &QAction::triggered, this, &preTrayIcon::onHelp);
    connect(m_entries->about, &QAction::triggered, this, &preTrayIcon::onAbout);
    connect(m_entries->exit, &QAction::triggered, this, qOverload<>(&preTrayIcon::onClose));

    if (readStatus() == 1)
        m_entries->showUnderControl(TrayMenu::ModeWord::Local);
    else
        m_entries->showFreeOfControl();
}

void preTrayIcon::startPeriodicWork()
{
    periodicWork = std::make_unique<PeriodicWork>(this, busy, teacherMode);
    const int interval = readInterval();
    snapshotTimer = std::make_unique<QTimer>();
    connect(snapshotTimer.get(), &QTimer::timeout, this, &preTrayIcon::getSnapShot);
    snapshotTimer->start(interval < 1 ? MinuteMs : interval * MinuteMs);
    warningTimer = std::make_unique<QTimer>();
    connect(warningTimer.get(), &QTimer::timeout, this, &preTrayIcon::checkForWarning);
    warningTimer->start(WarningInterval);
    resolverTimer = std::make_unique<QTimer>();
    connect(resolverTimer.get(), &QTimer::timeout, this, &preTrayIcon::updateSquid);
    resolverTimer->start(ResolverInterval);

    const QByteArray blockMessage = (tr("Tuvora is Blocking this application.") + QLatin1Char('\n')).toUtf8();
    asRoot([&blockMessage] {
        // A watcher left from an earlier session.
        runCommand(endFileWatcherCommand());
        QFile file(Paths::path(Paths::BlockMessage));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(blockMessage);
    });

    teacherMode = false;
    startFileWatch();
    sharedPolicyFinder(this);
}

void preTrayIcon::reapplyActivePolicy()
{
    doEngineWork([] { TrayPolicies::reapplyAtStart(); });
}

void preTrayIcon::doEngineWork(const std::function<void()> &work)
{
    const bool wasBusy = busy;
    busy = true;
    QThread *worker = QThread::create(work);
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop also ends early when the application is leaving.
    worker->wait();
    delete worker;
    busy = wasBusy;
    if (!busy && m_pendingTermination != Pending::None) {
        const bool fromRoot = m_pendingTermination == Pending::FromRoot;
        m_pendingTermination = Pending::None;
        QMetaObject::invokeMethod(
            this, [this, fromRoot] { onTermination(fromRoot); }, Qt::QueuedConnection);
    }
}

void preTrayIcon::runAsRoot(const QString &commandLine)
{
    doEngineWork([commandLine] { asRoot([&commandLine] { runCommand(commandLine); }); });
}

void preTrayIcon::grantDisplayToRoot()
{
    // Root's message boxes and snapshots reach the user's display; nobody else's do.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    runCommand(QStringLiteral("xhost +SI:localuser:root"));
    m_displayGranted = true;
}

void preTrayIcon::revokeDisplayGrant()
{
    if (!m_displayGranted)
        return;
    m_displayGranted = false;
    runCommand(QStringLiteral("xhost -SI:localuser:root"));
}

bool preTrayIcon::askPassword()
{
    return checkAdministratorPassword();
}

void preTrayIcon::onUnder()
{
    if (busy || !askPassword())
        return;
    writeStatus(1);
    PolicyFinder *finder = sharedPolicyFinder(this);
    // The network mode's own work on the held policy ends first.
    finder->finishWork();
    if (finder->networkPolicy) {
        // Taken out of the finder while the work runs, so that nothing the network mode
        // does meanwhile can free it under the worker.
        std::unique_ptr<Policy> held = std::move(finder->networkPolicy);
        doEngineWork([&held] { TrayPolicies::putIntoForce(*held); });
        if (!finder->networkPolicy)
            finder->networkPolicy = std::move(held);
        m_entries->showUnderControl(TrayMenu::ModeWord::Network);
        return;
    }
    doEngineWork([] { TrayPolicies::putActiveLocalPoliciesIntoForce(); });
    m_entries->showUnderControl(TrayMenu::ModeWord::Local);
}

void preTrayIcon::onFree()
{
    if (busy || !askPassword())
        return;
    // A network or teacher policy held by the finder stays as it is.
    doEngineWork([] { TrayPolicies::liftActiveLocalPolicies(); });
    writeStatus(0);
    m_entries->showFreeOfControl();
}

void preTrayIcon::suspendActivePolicy()
{
    // The network mode's own work on the held policy ends first; then the held policy
    // is released from the finder at once, whatever comes.
    PolicyFinder *finder = sharedPolicyFinder(this);
    finder->finishWork();
    std::unique_ptr<Policy> held = std::move(finder->networkPolicy);
    doEngineWork([&held] { NetworkPolicies::suspendActivePolicy(held); });
}

void preTrayIcon::onPolicy()
{
    if (adminProcess->state() != QProcess::NotRunning)
        return;
    // The administration program asks for the password itself.
    adminProcess->start(administrationProgramPath(), {});
}

void preTrayIcon::restartAdminProgram()
{
    if (adminProcess->state() == QProcess::NotRunning)
        return;
    killAsRoot(adminProcess);
    adminProcess->waitForFinished();
    adminProcess->start(administrationProgramPath(), {});
}

void preTrayIcon::onHelp()
{
    openHelpPage(this, QStringLiteral("MainTopic.html"));
}

void preTrayIcon::onAbout()
{
    preAbout about;
    about.exec();
}

void preTrayIcon::onViewLog()
{
    if (askPassword())
        openLogViewer();
}

void preTrayIcon::onSettings()
{
    onSettings(false);
}

void preTrayIcon::onSettings(bool unlocked)
{
    if (!unlocked && !askPassword())
        return;
    openSettingsDialog(unlocked);
}

void preTrayIcon::openSettingsDialog(bool unlocked)
{
    preConfiguration(this, unlocked).exec();
}

void preTrayIcon::openLogViewer()
{
    preLog(this).exec();
}

void preTrayIcon::onClose()
{
    onClose(false);
}

void preTrayIcon::onClose(bool silent)
{
    if (busy || m_ending != Ending::Running)
        return;
    if (!silent && !askPassword())
        return;
    runAsRoot(QStringLiteral("killall tuvorad"));
    if (m_enforcing) {
        suspendActivePolicy();
        // The network mode's stamps are the finder's to remove.
        runAsRoot(endFileWatcherCommand());
    }
    terminateAsRoot(adminProcess);
    end(Ending::Closed);
}

void preTrayIcon::onKill()
{
    if (m_ending != Ending::Running)
        return;
    if (m_enforcing) {
        suspendActivePolicy();
        runAsRoot(endFileWatcherCommand());
    }
    terminateAsRoot(adminProcess);
    revokeDisplayGrant();
    end(Ending::Killed);
}

void preTrayIcon::onTermination(bool fromRoot)
{
    if (busy) {
        if (m_pendingTermination != Pending::FromRoot)
            m_pendingTermination = fromRoot ? Pending::FromRoot : Pending::FromUser;
        return;
    }
    if (fromRoot)
        onKill();
    else
        leaveInForce();
}

void preTrayIcon::leaveInForce()
{
    if (m_ending != Ending::Running)
        return;
    terminateAsRoot(adminProcess);
    revokeDisplayGrant();
    end(Ending::LeftInForce);
}

void preTrayIcon::end(Ending how)
{
    m_ending = how;
    emit ended();
}

void preTrayIcon::showNetworkMode()
{
    m_entries->showNetworkMode();
}

void preTrayIcon::showTeacherMode()
{
    m_entries->showTeacherMode();
}

void preTrayIcon::showLocalModeAgain()
{
    m_entries->showLocalModeAgain();
}

void preTrayIcon::startFileWatch()
{
    asRoot([] {
        runCommand(fillCommand(QStringLiteral("%1 %2 %3 &"),
            { Paths::path(Paths::FileWatcher), Paths::path(Paths::FilesLog), QStringLiteral("/home/") }));
    });
}

void preTrayIcon::getSnapShot()
{
    periodicWork->getSnapShot(snapshotTimer.get());
}

void preTrayIcon::checkForWarning()
{
    periodicWork->checkForWarning();
}

void preTrayIcon::updateSquid()
{
    periodicWork->updateSquid(resolvConfStamp);
}

void preTrayIcon::checkIncoming()
{
    periodicWork->checkIncoming();
}
