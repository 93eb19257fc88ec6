#include "activationfixture.h"
#include "clock.h"
#include "messagebox.h"
#include "passwordanswers.h"
#include "policy.h"
#include "policyconfig.h"
#include "policyfinder.h"
#include "setuidsession.h"
#include "pretrayicon.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "traydocking.h"
#include "traymenu.h"
#include "traymodecontrol.h"
#include "traytestpolicies.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

// The tray supervisor in this process, on the offscreen platform, against the
// sandbox's store, filter lists and root's cron table.
using namespace TrayTest;

namespace {

const QString Password = QStringLiteral("s3cret");
const QString StartsLog = QStringLiteral("/tmp/tuvora-starts");
const QString WatcherLog = QStringLiteral("/tmp/iwatch-args");

// The network mode's finder is made once per process; here it reports to nobody, so
// that it never holds on to a tray that a test has deleted.
class NoTray : public TrayModeControl
{
public:
    void showNetworkMode() override { }
    void showTeacherMode() override { }
    void showLocalModeAgain() override { }
    void restartAdminProgram() override { }
};
NoTray noTray;

void installScript(const QString &path, const QByteArray &body)
{
    QVERIFY(writeExecutable(path, "#!/bin/sh\n" + body));
}

// Whether a file watcher runs: its process carries the script's name.
bool watcherRunning()
{
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList({ QStringLiteral("[0-9]*") }, QDir::Dirs)) {
        if (readFileBytes(QStringLiteral("/proc/%1/comm").arg(pid)) == "iwatch.sh\n")
            return true;
    }
    return false;
}

QStringList menuTexts(const preTrayIcon &tray)
{
    QStringList texts;
    for (const QAction *action : tray.entries()->menu()->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// Which of the two mode entries carries the image.
int imagePosition(const preTrayIcon &tray)
{
    const TrayMenu *menu = tray.entries();
    if (!menu->at(2)->icon().isNull())
        return menu->at(3)->icon().isNull() ? 2 : -1;
    return menu->at(3)->icon().isNull() ? 0 : 3;
}

} // namespace

class TestTraySupervisor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        qunsetenv("DISPLAY");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        sharedPolicyFinder(&noTray);
        setClockSource([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); });
        // A watcher that stays, as the real one does, until it is ended.
        installScript(QStringLiteral("/usr/bin/iwatch.sh"),
            "exec </dev/null >/dev/null 2>&1\necho \"$@\" >> " + WatcherLog.toUtf8() + "\nsleep 30\n");
        installScript(QStringLiteral("/usr/bin/tuvora"), "echo started >> " + StartsLog.toUtf8() + "\nexec sleep 30\n");
    }

    void init()
    {
        resetSystem(1);
        writePassword(Password);
        QFile::remove(WatcherLog);
        QFile::remove(QStringLiteral("/etc/tuvora/blockmessage"));
        MessageBox::clearShown();
        sharedPolicyFinder(&noTray)->networkPolicy.reset();
    }

    void cleanup() { QCOMPARE(MessageBox::pendingAnswers(), 0); }

    void menuAndStartByMachineMode_data()
    {
        QTest::addColumn<int>("machineMode");
        QTest::addColumn<QStringList>("texts");
        const QStringList enforcing = { QStringLiteral("Policy Configuration"), QStringLiteral("-"),
            QStringLiteral("Under Control Mode - Local Mode"), QStringLiteral("Free of Control Mode"),
            QStringLiteral("-"), QStringLiteral("View Log"), QStringLiteral("Settings"), QStringLiteral("-"),
            QStringLiteral("Help"), QStringLiteral("About"), QStringLiteral("-"), QStringLiteral("Exit") };
        const QStringList publishing = { QStringLiteral("Policy Configuration"), QStringLiteral("-"),
            QStringLiteral("Settings"), QStringLiteral("-"), QStringLiteral("Help"), QStringLiteral("About"),
            QStringLiteral("-"), QStringLiteral("Exit") };
        QTest::newRow("0") << 0 << enforcing;
        QTest::newRow("1") << 1 << publishing;
        QTest::newRow("2") << 2 << publishing;
        QTest::newRow("3") << 3 << enforcing;
    }

    void menuAndStartByMachineMode()
    {
        QFETCH(int, machineMode);
        QFETCH(QStringList, texts);
        resetSystem(1, machineMode);
        writePolicy(1, QStringLiteral("games.example"), true);

        preTrayIcon tray(qApp);
        QCOMPARE(menuTexts(tray), texts);
        const bool enforcing = machineMode == 0 || machineMode == 3;
        QCOMPARE(tray.enforcing(), enforcing);
        QCOMPARE(tray.timersRunning(), enforcing);
        // Only an enforcing machine puts its policy back into force and starts the watcher.
        QCOMPARE(filtered(QStringLiteral("games.example")), enforcing);
        QCOMPARE(cronTableInstalled(), enforcing);
        QCOMPARE(readFileBytes(QStringLiteral("/etc/tuvora/blockmessage")),
            enforcing ? QByteArray("Tuvora is Blocking this application.\n") : QByteArray());
        QTRY_COMPARE(readFileBytes(WatcherLog), enforcing ? QByteArray("/etc/tuvora/fileslog /home/\n") : QByteArray());
        QVERIFY(markedActive(1));
        QVERIFY(!tray.docking()->usesStatusNotifier());
    }

    void startShowsTheModeAndPutsThePolicyIntoForceInEitherMode_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("image");
        QTest::newRow("under control") << 1 << 2;
        QTest::newRow("free of control") << 0 << 3;
    }

    void startShowsTheModeAndPutsThePolicyIntoForceInEitherMode()
    {
        QFETCH(int, status);
        QFETCH(int, image);
        resetSystem(status);
        writePolicy(1, QStringLiteral("games.example"), true);

        preTrayIcon tray(qApp);
        QCOMPARE(imagePosition(tray), image);
        QCOMPARE(tray.entries()->at(2)->text(), QStringLiteral("Under Control Mode - Local Mode"));
        // The filter follows the control mode; the schedule is in force either way.
        QCOMPARE(filtered(QStringLiteral("games.example")), status == 1);
        QVERIFY(cronTableInstalled());
        QVERIFY(markedActive(1));
    }

    void startPutsOnlyTheFirstActivePolicyBackIntoForce()
    {
        writePolicy(1, QStringLiteral("first.example"), false);
        writePolicy(2, QStringLiteral("second.example"), true);
        writePolicy(3, QStringLiteral("third.example"), true);

        preTrayIcon tray(qApp);
        QVERIFY(filtered(QStringLiteral("second.example")));
        QVERIFY(!filtered(QStringLiteral("third.example")));
        QVERIFY(!markedActive(1));
        QVERIFY(markedActive(2));
        QVERIFY(markedActive(3));
        QVERIFY(!Fixture::initScriptCalls().contains(QStringLiteral("/etc/init.d/squid restart")));
    }

    void startWithoutActivePolicyRestartsProxyAndFilter()
    {
        writePolicy(1, QStringLiteral("games.example"), false);
        preTrayIcon tray(qApp);
        QCOMPARE(Fixture::initScriptCalls(),
            QStringList(
                { QStringLiteral("/etc/init.d/squid restart"), QStringLiteral("/etc/init.d/dansguardian restart") }));
        QVERIFY(!cronTableInstalled());
        QVERIFY(!markedActive(1));
    }

    void underAndFreeSwitchEveryActivePolicy()
    {
        resetSystem(0);
        writePassword(Password);
        writePolicy(1, QStringLiteral("first.example"), true);
        writePolicy(2, QStringLiteral("second.example"), false);
        writePolicy(3, QStringLiteral("third.example"), true);
        preTrayIcon tray(qApp);
        QCOMPARE(imagePosition(tray), 3);
        Fixture::removeCronTable();

        {
            PasswordAnswers answers({ QStringLiteral("wrong"), Password });
            tray.onUnder();
            QCOMPARE(answers.showings(), 2);
        }
        QCOMPARE(readStatus(), 1);
        // The walk does not stop at the first: the last one put into force is the
        // third, whose list the filter now holds.
        QVERIFY(filtered(QStringLiteral("third.example")));
        QVERIFY(cronTableInstalled());
        QVERIFY(markedActive(1) && !markedActive(2) && markedActive(3));
        QCOMPARE(imagePosition(tray), 2);

        // Wrong twice, then cancelled: nothing changes.
        MessageBox::clearShown();
        {
            PasswordAnswers answers({ QStringLiteral("S3CRET"), Password + QLatin1Char(' ') });
            tray.onFree();
            QCOMPARE(answers.showings(), 3);
        }
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().at(1).caption, QStringLiteral("Tuvora"));
        QCOMPARE(MessageBox::shown().at(1).text, QStringLiteral("The password is invalid."));
        QCOMPARE(readStatus(), 1);
        QVERIFY(filtered(QStringLiteral("third.example")));
        QCOMPARE(imagePosition(tray), 2);

        {
            PasswordAnswers answers({ Password });
            tray.onFree();
        }
        QCOMPARE(readStatus(), 0);
        QVERIFY(!filtered(QStringLiteral("first.example")) && !filtered(QStringLiteral("third.example")));
        QVERIFY(!cronTableInstalled());
        // Lifted, but still marked for the next session.
        QVERIFY(markedActive(1) && !markedActive(2) && markedActive(3));
        QCOMPARE(imagePosition(tray), 3);
        QCOMPARE(tray.entries()->at(2)->text(), QStringLiteral("Under Control Mode - Local Mode"));
    }

    void underWithAHeldNetworkPolicyPutsThatOneIntoForce()
    {
        resetSystem(0);
        writePassword(Password);
        writePolicy(1, QStringLiteral("local.example"), true);
        preTrayIcon tray(qApp);
        Fixture::removeCronTable();
        QDir().mkpath(QStringLiteral("/var/lib/tuvora/network"));
        auto school = std::make_unique<Policy>(QStringLiteral("/var/lib/tuvora/network/school.xml"));
        school->type = Policy::Network;
        school->internet.urls = { QStringLiteral("school.example") };
        school->applicationGrid.fill(0);
        school->internetGrid.fill(1);
        Policy *held = school.get();
        sharedPolicyFinder(&noTray)->networkPolicy = std::move(school);

        {
            PasswordAnswers answers({ Password });
            tray.onUnder();
        }
        QCOMPARE(sharedPolicyFinder(&noTray)->networkPolicy.get(), held);
        QVERIFY(held->active);
        QVERIFY(filtered(QStringLiteral("school.example")));
        QVERIFY(!filtered(QStringLiteral("local.example")));
        QCOMPARE(tray.entries()->at(2)->text(), QStringLiteral("Under Control Mode - Network Mode"));
        QCOMPARE(imagePosition(tray), 2);
        // A held network policy changes no enabled state.
        QVERIFY(tray.entries()->at(0)->isEnabled() && tray.entries()->at(3)->isEnabled());
    }

    void exitWithThePasswordLiftsThePolicyAndKeepsItMarked()
    {
        writePolicy(1, QStringLiteral("games.example"), true);
        QVERIFY(writeFileBytes(QStringLiteral("/etc/tuvora/incoming/policy_9.xml"), "<Policy/>"));
        preTrayIcon tray(qApp);
        QSignalSpy ended(&tray, &preTrayIcon::ended);

        {
            PasswordAnswers answers({});
            tray.onClose();
        }
        QCOMPARE(ended.count(), 0);
        QVERIFY(filtered(QStringLiteral("games.example")));

        QTRY_VERIFY(watcherRunning());
        {
            PasswordAnswers answers({ QStringLiteral("nope"), Password });
            tray.onClose();
        }
        QCOMPARE(ended.count(), 1);
        QTRY_VERIFY(!watcherRunning());
        QCOMPARE(tray.ending(), preTrayIcon::Ending::Closed);
        QVERIFY(!filtered(QStringLiteral("games.example")));
        QVERIFY(!cronTableInstalled());
        QVERIFY(markedActive(1));
        QVERIFY(QDir(QStringLiteral("/etc/tuvora/incoming")).isEmpty());

        // The next session puts it back into force.
        preTrayIcon next(qApp);
        QVERIFY(filtered(QStringLiteral("games.example")));
        QVERIFY(cronTableInstalled());
    }

    void terminationFromRootLiftsFromAnyoneElseLeavesInForce()
    {
        writePolicy(1, QStringLiteral("games.example"), true);
        {
            preTrayIcon tray(qApp);
            QSignalSpy ended(&tray, &preTrayIcon::ended);
            tray.onTermination(false);
            QCOMPARE(ended.count(), 1);
            QCOMPARE(tray.ending(), preTrayIcon::Ending::LeftInForce);
            QVERIFY(filtered(QStringLiteral("games.example")));
            QVERIFY(cronTableInstalled());
        }
        {
            preTrayIcon tray(qApp);
            QSignalSpy ended(&tray, &preTrayIcon::ended);
            tray.onTermination(true);
            QCOMPARE(ended.count(), 1);
            QCOMPARE(tray.ending(), preTrayIcon::Ending::Killed);
            QVERIFY(!filtered(QStringLiteral("games.example")));
            QVERIFY(!cronTableInstalled());
            QVERIFY(markedActive(1));
            // Ending once is enough.
            tray.onTermination(true);
            QCOMPARE(ended.count(), 1);
        }
    }

    void terminationDuringEngineWorkWaitsForIt()
    {
        resetSystem(0);
        writePassword(Password);
        writePolicy(1, QStringLiteral("games.example"), true);
        preTrayIcon tray(qApp);
        QSignalSpy ended(&tray, &preTrayIcon::ended);
        const QByteArray quickStub = readFileBytes(QStringLiteral("/etc/init.d/squid"));
        installScript(QStringLiteral("/etc/init.d/squid"), "sleep 1\n");

        // Root's SIGTERM comes while the policy is being put into force.
        QTimer::singleShot(300, &tray, [&tray, &ended] {
            tray.onTermination(true);
            QCOMPARE(ended.count(), 0);
        });
        {
            PasswordAnswers answers({ Password });
            tray.onUnder();
        }
        QVERIFY(writeFileBytes(QStringLiteral("/etc/init.d/squid"), quickStub));
        QCOMPARE(ended.count(), 0);
        QCOMPARE(imagePosition(tray), 2);
        // Then the tray ends as root asked: the policy just put into force is lifted.
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(tray.ending(), preTrayIcon::Ending::Killed);
        QCOMPARE(readStatus(), 1);
        QVERIFY(!filtered(QStringLiteral("games.example")));
        QVERIFY(!cronTableInstalled());
        QVERIFY(markedActive(1));
    }

    void policyConfigurationStartsOneAdministrationProgram()
    {
        QFile::remove(StartsLog);
        preTrayIcon tray(qApp);
        QProcess *program = tray.administrationProgram();
        tray.onPolicy();
        QVERIFY(program->waitForStarted());
        tray.onPolicy();
        QTRY_COMPARE(readFileBytes(StartsLog), QByteArray("started\n"));
        QTest::qWait(300);
        QCOMPARE(readFileBytes(StartsLog), QByteArray("started\n"));
        QCOMPARE(program->program(), QStringLiteral("/usr/bin/tuvora"));

        // A new parent policy restarts a running one; a program that has ended is
        // started anew by the menu.
        const qint64 first = program->processId();
        tray.restartAdminProgram();
        QTRY_COMPARE(readFileBytes(StartsLog), QByteArray("started\nstarted\n"));
        QVERIFY(program->processId() != first);
        program->kill();
        QVERIFY(program->waitForFinished());
        tray.restartAdminProgram();
        QCOMPARE(program->state(), QProcess::NotRunning);
        tray.onPolicy();
        QTRY_COMPARE(readFileBytes(StartsLog), QByteArray("started\nstarted\nstarted\n"));
    }
};

QTEST_MAIN(TestTraySupervisor)
#include "test_traysupervisor.moc"
