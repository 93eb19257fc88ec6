// The tray's periodic work and network mode without the tray's window, for the network
// end-to-end test: started set-user-id root by a normal user, as the tray is, it calls
// checkForWarning on a timer of its own and writes each change of the menu's mode, and
// the end of each network check, to a log:
//   traydriver LOG [TICK_MS]
// LOG lines: "<milliseconds since the epoch> WHAT", WHAT one of "tick" (a network check
// starts), "check" (it has ended), and the menu's "network", "teacher", "local" and
// "restart admin".

#include "periodicwork.h"
#include "policyfinder.h"
#include "setuidstart.h"
#include "traymodecontrol.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <cstdlib>

namespace {

class LoggingTray : public TrayModeControl
{
public:
    explicit LoggingTray(const QString &path)
        : m_log(path)
    {
        m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

    void showNetworkMode() override { write("network"); }
    void showTeacherMode() override { write("teacher"); }
    void showLocalModeAgain() override { write("local"); }
    void restartAdminProgram() override { write("restart admin"); }

    void write(const char *what)
    {
        m_log.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + what + '\n');
    }

private:
    QFile m_log;
};

} // namespace

int main(int argc, char **argv)
{
    startSetuidProgram();
    if (argc < 2 || !runAsCaller())
        return 2;
    const QString log = QString::fromLocal8Bit(argv[1]);
    const int tick = argc > 2 ? std::atoi(argv[2]) : 10000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ToolkitArguments arguments("traydriver");
    QApplication app(arguments.argc(), arguments.argv());

    LoggingTray tray(log);
    bool busy = false;
    bool teacherMode = false;
    PeriodicWork work(&tray, busy, teacherMode);
    QObject::connect(sharedPolicyFinder(&tray), &PolicyFinder::checkFinished, [&tray] { tray.write("check"); });
    QTimer warningTimer;
    PolicyFinder *finder = sharedPolicyFinder(&tray);
    QObject::connect(&warningTimer, &QTimer::timeout, &work, [&tray, &work, finder] {
        const bool wasChecking = finder->checking();
        work.checkForWarning();
        if (!wasChecking && finder->checking())
            tray.write("tick");
    });
    warningTimer.start(tick);
    return app.exec();
}
