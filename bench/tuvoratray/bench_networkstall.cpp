// How long the tray's event loop is held while the policy server is dead: the tray's
// periodic work runs with its own timers against a server address whose packets vanish,
// and a timer of 5 ms measures the longest gap between two of its ticks.
//   bench_networkstall MACHINE_MODE [SECONDS]    (inside scripts/sandbox with a network
//                                                 namespace; bench/tuvoratray/run.sh)
// With --wget it also times the probe run the old way, a synchronous wget of two tries
// of two seconds.

#include "paths.h"
#include "periodicwork.h"
#include "policyconfig.h"
#include "policyfinder.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "traymodecontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <QTimer>

#include <cstdlib>
#include <cstring>

namespace {

const QString DeadServer = QStringLiteral("10.77.0.1");

class QuietTray : public TrayModeControl
{
public:
    void showNetworkMode() override { }
    void showTeacherMode() override { }
    void showLocalModeAgain() override { }
    void restartAdminProgram() override { }
};

void setMachineMode(int mode)
{
    QByteArray config = readFileBytes(Paths::path(Paths::ConfigFile));
    const qsizetype at = config.indexOf("<Type>") + 6;
    config[at] = char('0' + mode);
    writeFileBytes(Paths::path(Paths::ConfigFile), config);
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    if (qgetenv("TUVORA_SANDBOX_NET") != "inside" || argc < 2) {
        QTextStream(stderr)
            << "usage: bench_networkstall MACHINE_MODE [SECONDS] [--wget], in the sandbox's network namespace\n";
        return 2;
    }
    const int mode = std::atoi(argv[1]);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    const bool wget = argc > 3 && std::strcmp(argv[3], "--wget") == 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    if (wget) {
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(QStringLiteral("wget"),
            { QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("2"), QStringLiteral("-T"),
                QStringLiteral("2"), QStringLiteral("-O"), QStringLiteral("/dev/null"),
                QStringLiteral("http://%1/tuvss/isTuvss").arg(DeadServer) });
        out << "synchronous probe (wget -t 2 -T 2), dead server: " << clock.elapsed() << " ms\n";
        return 0;
    }

    setMachineMode(mode);
    writeServerIP(DeadServer);
    // The machine-mode-3 finder checks every gateway-timeout seconds.
    writeFileBytes(Paths::path(Paths::GatewayTimeoutFile), "timeout:5\n");

    QuietTray tray;
    bool busy = false;
    bool teacherMode = false;
    PeriodicWork work(&tray, busy, teacherMode);
    int checks = 0;
    QObject::connect(sharedPolicyFinder(&tray), &PolicyFinder::checkFinished, [&checks] { ++checks; });
    QTimer warningTimer;
    QObject::connect(&warningTimer, &QTimer::timeout, &work, &PeriodicWork::checkForWarning);
    warningTimer.start(10000);

    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    qint64 longestAt = 0;
    int probesRunning = 0;
    QTimer monitor;
    monitor.setTimerType(Qt::PreciseTimer);
    QObject::connect(&monitor, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (now - last - monitor.interval() > longest) {
            longest = now - last - monitor.interval();
            longestAt = now;
        }
        last = now;
        probesRunning += sharedPolicyFinder(&tray)->checking() ? 1 : 0;
    });
    monitor.start(5);
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();

    out << "machine mode " << mode << ", dead server, " << seconds << " s: " << checks
        << " checks ended, a check under way " << probesRunning * 5 / 1000 << " s of it; longest event-loop stall "
        << longest << " ms, at " << longestAt / 1000.0 << " s\n";
    return 0;
}
