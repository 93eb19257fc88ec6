#pragma once

#include "traymodecontrol.h"

#include <QDateTime>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>

class QApplication;
class QMenu;
class QProcess;
class PeriodicWork;
class QTimer;
class TrayDocking;
class TrayMenu;

// The tray supervisor, one per process. It puts the product icon with its menu on the
// panel, shows and switches the control mode behind the administrator password, puts
// the active policy back into force when the session starts, opens the administration
// program, the log viewer, the settings, the help and the about box, and when the
// administrator closes it lifts the policy in force while keeping it marked for the
// next session. The widget itself is never shown.
//
// On a machine that publishes policies (machine modes other than 0 and 3) it only
// offers the administration program, the settings, the help, the about box and Exit.
class preTrayIcon : public QWidget, public TrayModeControl
{
    Q_OBJECT

public:
    explicit preTrayIcon(QApplication *application);
    ~preTrayIcon() override;

    // How the tray is ending. Closed: the administrator closed it, the policy is lifted
    // and the web redirect is to be taken out. Killed: root ended it, the policy is
    // lifted, the redirect stays. LeftInForce: anyone else ended it, nothing is lifted.
    enum class Ending { Running, Closed, Killed, LeftInForce };
    Ending ending() const { return m_ending; }

    // Machine mode 0 or 3, read at start.
    bool enforcing() const { return m_enforcing; }
    TrayMenu *entries() const { return m_entries.get(); }
    TrayDocking *docking() const { return trayIcon; }
    QProcess *administrationProgram() const { return adminProcess; }
    bool timersRunning() const { return warningTimer != nullptr; }

    // What the network mode and the teacher policies change.
    void showNetworkMode() override;
    void showTeacherMode() override;
    void showLocalModeAgain() override;
    void restartAdminProgram() override;
    bool isBusy() const override { return busy; }

public slots:
    void getSnapShot();
    void showHide() { }
    void trayClicked(const QPoint &) { }
    void trayDoubleClicked(const QPoint &) { }
    void trayClosed() { }
    void onPolicy();
    void onFree();
    void onUnder();
    void onHelp();
    void onAbout();
    void onClose();
    void onClose(bool silent);
    void onViewLog();
    void onSettings();
    void onSettings(bool unlocked);
    void checkForWarning();
    void updateSquid();
    void onKill();
    // A SIGTERM: from root the tray ends as onKill() does; from anyone else it ends
    // with the policy left in force. Waits for engine work that is under way.
    void onTermination(bool fromRoot);

signals:
    // The event loop is to end; ending() says how.
    void ended();

private:
    bool askPassword();
    void suspendActivePolicy();
    void startFileWatch();
    void checkIncoming();
    void openSettingsDialog(bool unlocked);
    void openLogViewer();

    void buildMenu();
    void startPeriodicWork();
    void reapplyActivePolicy();
    // Runs engine work on a worker thread and returns when it is done; the icon keeps
    // being drawn meanwhile, and busy is set.
    void doEngineWork(const std::function<void()> &work);
    void runAsRoot(const QString &commandLine);
    void grantDisplayToRoot();
    void revokeDisplayGrant();
    void leaveInForce();
    void end(Ending how);

    bool busy = false;
    QMenu *menu = nullptr;
    QApplication *application;
    bool teacherMode = false;
    QProcess *adminProcess = nullptr;
    TrayDocking *trayIcon = nullptr;
    std::unique_ptr<QTimer> snapshotTimer;
    std::unique_ptr<QTimer> warningTimer;
    std::unique_ptr<QTimer> resolverTimer;
    QDateTime resolvConfStamp;
    // The timers' work: warnings, teacher policies, network check, snapshots, resolver.
    std::unique_ptr<PeriodicWork> periodicWork;

    std::unique_ptr<TrayMenu> m_entries;
    bool m_enforcing = false;
    bool m_displayGranted = false;
    Ending m_ending = Ending::Running;
    enum class Pending { None, FromUser, FromRoot } m_pendingTermination = Pending::None;
};
