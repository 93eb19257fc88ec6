#include "activationfixture.h"
#include "activationlock.h"
#include "clock.h"
#include "commandrecorder.h"
#include "paths.h"
#include "policyactivation.h"
#include "sandboxcheck.h"
#include "sandboxplaces.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

#include <sys/stat.h>

using namespace Fixture;

namespace {

const QString CronFile = Paths::path(Paths::CronStaging);
const QString RootTable = QString::fromLatin1(SandboxPlaces::RootCronTable);
const QString Monday0930 = QStringLiteral("2026-12-07T09:30:00");

void setClock(const QString &isoLocalTime)
{
    const QDateTime fixed = QDateTime::fromString(isoLocalTime, Qt::ISODate);
    setClockSource([fixed] { return fixed; });
}

// Applications restricted on Monday 8-12 and 14-18, internet on Sunday 0-6: at Monday
// 09:30 (cell 33) the applications are restricted and the internet is free.
Policy schoolPolicy(const QString &game)
{
    Policy policy(1);
    policy.applicationGrid.fill(0);
    policy.internetGrid.fill(0);
    for (int hour : { 8, 9, 10, 11, 14, 15, 16, 17 })
        policy.applicationGrid[WeekGrid::cellIndex(1, hour)] = 1;
    for (int hour = 0; hour < 6; ++hour)
        policy.internetGrid[WeekGrid::cellIndex(0, hour)] = 1;
    policy.internet.urls = { QStringLiteral("games.example") };
    BlockedApplication application;
    application.exec = game;
    application.desktopFile = QStringLiteral("game.desktop");
    policy.applications.insert(application.desktopFile, application);
    return policy;
}

const QByteArray SchoolCronTable = "00 8,14 * * 1  /usr/bin/enactpolicy -1 activate 2\n"
                                   "00 12,18 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 2\n"
                                   "55 7,13 * * 1  /usr/bin/touch /var/lib/tuvora/policyappwarning\n"
                                   "00 0 * * 0  /usr/bin/enactpolicy -1 activate 1\n"
                                   "00 6 * * 0  /usr/bin/enactpolicy -1 schedule_deactivation 1\n"
                                   "55 23 * * 6  /usr/bin/touch /var/lib/tuvora/policyintwarning\n"
                                   "\n";

const QByteArray RootsOwnLines = "MAILTO=admin\n30 2 * * *  /usr/local/sbin/backup\n";

void installRootTable(const QByteArray &table)
{
    QProcess crontab;
    crontab.start(QStringLiteral("crontab"), { QStringLiteral("-u"), QStringLiteral("root"), QStringLiteral("-") });
    crontab.write(table);
    crontab.closeWriteChannel();
    QVERIFY(crontab.waitForFinished() && crontab.exitCode() == 0);
}

const QStringList InternetOpened = {
    QStringLiteral(R"(sed -i "s/^#http_access allow Safe_ports/http_access allow Safe_ports/g" /etc/squid/squid.conf)"),
    QStringLiteral(R"(sed -i "s/^http_access allow whitelist/#http_access allow whitelist/g" /etc/squid/squid.conf)"),
    QStringLiteral("/etc/init.d/squid reload"),
    QStringLiteral("/etc/init.d/dansguardian restart"),
};

} // namespace

class TestActivation : public QObject
{
    Q_OBJECT

    QString m_game;

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!rootOwnsTheFolders())
            QSKIP("needs the machine's root: root owns no folder here (a user namespace), so the activation refuses "
                  "its state folder");
        installGate();
        qputenv("PATH", QFile::encodeName(rootProgramFolder()) + ':' + qgetenv("PATH"));
    }

    void init()
    {
        m_game = installProgram(rootProgramFolder(), QStringLiteral("game"), 0755);
        writeFilterConfiguration();
        writeConfiguration(1);
        clearInitScriptCalls();
        removeCronTable();
        setClock(Monday0930);
    }

    void cleanup() { setClockSource({}); }

    void theHourOfTheWeekComesFromTheLocalClock()
    {
        QCOMPARE(weekCellAt(QDateTime::fromString(Monday0930, Qt::ISODate)), 33);
        QCOMPARE(weekCellAt(QDateTime::fromString(QStringLiteral("2026-12-06T00:00:00"), Qt::ISODate)), 0);
        QCOMPARE(weekCellAt(QDateTime::fromString(QStringLiteral("2026-12-12T23:59:00"), Qt::ISODate)), 167);
    }

    void switchingOnAndOffAtMondayMorning()
    {
        Policy policy = schoolPolicy(QStringLiteral("game %u"));
        CommandRecorder recorder;
        QVERIFY(policy.toggle(Policy::BothBackEnds));

        QCOMPARE(withoutFilterStateRules(recorder.commands()),
            (QStringList { QStringLiteral("which game") } + InternetOpened
                + QStringList { QStringLiteral("crontab -u root -l"),
                    QStringLiteral("crontab -u root /var/lib/tuvora/crontab.policy"),
                    QStringLiteral("/etc/init.d/cron restart") }));
        QVERIFY(QFileInfo(m_game).isSymLink());
        QCOMPARE(readFileBytes(Paths::path(Paths::SiteList)), QByteArray());
        QCOMPARE(readFileBytes(CronFile), SchoolCronTable);
        QCOMPARE(installedCronTable(), SchoolCronTable);
        QVERIFY(policy.active);
        const Policy saved(policy.filePath);
        QVERIFY(saved.active);
        QCOMPARE(saved.applications.first().permissions, QStringLiteral("0755"));
        QCOMPARE(initScriptCalls(),
            QStringList({ QStringLiteral("/etc/init.d/squid reload"),
                QStringLiteral("/etc/init.d/dansguardian restart"), QStringLiteral("/etc/init.d/cron restart") }));

        recorder.clear();
        policy.toggle(Policy::BothBackEnds);
        QCOMPARE(withoutFilterStateRules(recorder.commands()),
            (QStringList { QStringLiteral("which game") } + InternetOpened
                + QStringList { QStringLiteral("crontab -u root -l"), QStringLiteral("crontab -u root -r"),
                    QStringLiteral("/etc/init.d/cron restart") }));
        QVERIFY(!QFileInfo(m_game).isSymLink());
        QVERIFY(!QFile::exists(RootTable));
        QVERIFY(!policy.active);
        QVERIFY(!Policy(policy.filePath).active);
    }

    void modeChoosesTheBackEnds_data()
    {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<bool>("applications");
        QTest::addColumn<bool>("internet");
        QTest::newRow("0") << 0u << true << true;
        QTest::newRow("1") << 1u << false << true;
        QTest::newRow("2") << 2u << true << false;
        QTest::newRow("3") << 3u << false << false;
        QTest::newRow("7") << 7u << false << false;
    }

    void modeChoosesTheBackEnds()
    {
        QFETCH(unsigned, mode);
        QFETCH(bool, applications);
        QFETCH(bool, internet);
        Policy policy = schoolPolicy(QStringLiteral("game"));
        for (bool on : { true, false }) {
            CommandRecorder recorder;
            policy.toggle(mode);
            QCOMPARE(policy.active, on);
            QCOMPARE(!recorder.commands().filter(QStringLiteral("which game")).isEmpty(), applications);
            QCOMPARE(!recorder.commands().filter(QStringLiteral("/etc/init.d/squid reload")).isEmpty(), internet);
            QCOMPARE(installedCronTable(), on ? SchoolCronTable : QByteArray());
            QCOMPARE(Policy(policy.filePath).active, on);
        }
    }

    void theWeekWrapsAtSundayMidnight_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("cell");
        QTest::newRow("Sunday 00:00") << QStringLiteral("2026-12-06T00:00:00") << 0;
        QTest::newRow("Saturday 23:59") << QStringLiteral("2026-12-12T23:59:00") << 167;
    }

    void theWeekWrapsAtSundayMidnight()
    {
        QFETCH(QString, now);
        QFETCH(int, cell);
        setClock(now);
        for (int restricted : { cell, 83 }) {
            Policy policy = schoolPolicy(QStringLiteral("game"));
            policy.internetGrid.fill(0);
            policy.internetGrid[restricted] = 1;
            policy.toggle(Policy::InternetOnly);
            QCOMPARE(readFileBytes(Paths::path(Paths::SiteList)),
                restricted == cell ? QByteArray("games.example\n") : QByteArray());
        }
    }

    void rootsOwnCronLinesStayBeforeDuringAndAfter()
    {
        installRootTable(RootsOwnLines);
        Policy policy = schoolPolicy(QStringLiteral("game"));
        QVERIFY(policy.toggle(Policy::NoBackEnd));
        QCOMPARE(installedCronTable(), RootsOwnLines + SchoolCronTable);
        // Put into force again, as enactpolicy does every hour: the lines are not doubled.
        for (int run = 0; run < 2; ++run) {
            policy.active = false;
            QVERIFY(policy.toggle(Policy::NoBackEnd));
        }
        QCOMPARE(installedCronTable(), RootsOwnLines + SchoolCronTable);
        QVERIFY(policy.toggle(Policy::NoBackEnd));
        QCOMPARE(installedCronTable(), RootsOwnLines);
        // The suite's lines of an earlier version, markers in /tmp, go as well.
        installRootTable(RootsOwnLines + "55 7 * * 1  /usr/bin/touch /tmp/policyintwarning\n");
        QVERIFY(policy.toggle(Policy::NoBackEnd));
        QCOMPARE(installedCronTable(), RootsOwnLines + SchoolCronTable);
    }

    void aFolderLeftAtTheOldStagingPlaceDoesNotStopTheSchedule()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to act as another user");
        const QString oldPlace = QStringLiteral("/tmp/crontab.policy");
        QDir(oldPlace).removeRecursively();
        QFile::remove(oldPlace);
        QCOMPARE(runAsNobody({ QStringLiteral("mkdir"), oldPlace }), 0);
        installRootTable(RootsOwnLines);
        Policy policy = schoolPolicy(QStringLiteral("game"));
        QVERIFY(policy.toggle(Policy::NoBackEnd));
        QCOMPARE(installedCronTable(), RootsOwnLines + SchoolCronTable);
        QDir(oldPlace).removeRecursively();
    }

    void whenStagingFailsTheOldTableStays()
    {
        installRootTable(RootsOwnLines);
        QFile::remove(CronFile);
        QVERIFY(QDir().mkpath(CronFile + QLatin1String("/in-the-way")));
        Policy policy = schoolPolicy(QStringLiteral("game"));
        bool ok = true;
        const QByteArray said = captureStderr([&] { ok = policy.toggle(Policy::NoBackEnd); });
        QDir(CronFile).removeRecursively();
        QVERIFY(!ok);
        QVERIFY2(said.contains("root's cron table is kept as it is"), said.constData());
        QCOMPARE(installedCronTable(), RootsOwnLines);
        QVERIFY(Policy(policy.filePath).active);
    }

    void aLinkAtAWarningMarkerMakesRootTouchNothingElse()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to act as another user");
        Policy policy = schoolPolicy(QStringLiteral("game"));
        QVERIFY(policy.toggle(Policy::NoBackEnd));
        // Where the markers lay before, and where they lie now.
        const QString target = QStringLiteral("/etc/nologin");
        QFile::remove(target);
        for (const char *marker : { "/tmp/policyappwarning", "/tmp/policyintwarning" }) {
            QFile::remove(QLatin1String(marker));
            QCOMPARE(runAsNobody({ QStringLiteral("ln"), QStringLiteral("-s"), target, QLatin1String(marker) }), 0);
        }
        for (const char *marker : { Paths::AppWarningMarker, Paths::IntWarningMarker }) {
            QFile::remove(QLatin1String(marker));
            QVERIFY(runAsNobody({ QStringLiteral("ln"), QStringLiteral("-s"), target, QLatin1String(marker) }) != 0);
        }
        // What cron runs, as root: every touch line of the installed table.
        int touched = 0;
        for (const QByteArray &line : installedCronTable().split('\n')) {
            const qsizetype command = line.indexOf(QByteArray("  ") + Paths::Touch + ' ');
            if (command < 0)
                continue;
            QCOMPARE(QProcess::execute(
                         QLatin1String(Paths::Shell), { QStringLiteral("-c"), QString::fromUtf8(line.mid(command)) }),
                0);
            ++touched;
        }
        QCOMPARE(touched, 2);
        QVERIFY(!QFileInfo::exists(target));
        const QFileInfo marker(Paths::path(Paths::AppWarningMarker));
        QVERIFY(marker.isFile() && !marker.isSymLink() && marker.ownerId() == 0);
    }

    void aStateFolderOthersCanChangeStopsTheActivation()
    {
        QVERIFY(QDir().mkpath(Paths::path(Paths::StateDir)));
        QVERIFY(::chmod(Paths::StateDir, 0775) == 0);
        Policy policy = schoolPolicy(QStringLiteral("game"));
        QFile::remove(policy.filePath);
        bool ok = true;
        const QByteArray said = captureStderr([&] { ok = policy.toggle(Policy::BothBackEnds); });
        QVERIFY(::chmod(Paths::StateDir, 0755) == 0);
        QVERIFY(!ok);
        QVERIFY2(said.contains("Not a folder of root's alone, not used: /var/lib/tuvora"), said.constData());
        QVERIFY(!QFileInfo(m_game).isSymLink());
        QCOMPARE(installedCronTable(), QByteArray());
        QVERIFY(!QFile::exists(policy.filePath));
    }

    // The tray activates from two worker threads (its own work and the network
    // mode's); the lock must keep them apart as it keeps processes apart.
    void anotherThreadWaitsForTheActivationLock()
    {
        std::atomic<bool> otherHeld = false;
        std::unique_ptr<QThread> other;
        {
            const ActivationLock outer;
            QVERIFY(outer.held());
            {
                const ActivationLock nested;
                QVERIFY(nested.held());
            }
            other.reset(QThread::create([&otherHeld] {
                const ActivationLock lock;
                otherHeld = lock.held();
            }));
            other->start();
            QVERIFY(!other->wait(300));
            QVERIFY(!otherHeld);
        }
        QVERIFY(other->wait(5000));
        QVERIFY(otherHeld);
    }

    void enactToggles_orPublishesOnAPolicyServer_data()
    {
        QTest::addColumn<int>("machineMode");
        QTest::addColumn<bool>("local");
        QTest::newRow("0") << 0 << true;
        QTest::newRow("3") << 3 << true;
        QTest::newRow("2") << 2 << false;
    }

    void enactToggles_orPublishesOnAPolicyServer()
    {
        QFETCH(int, machineMode);
        QFETCH(bool, local);
        writeConfiguration(1, machineMode);
        const QString published = Paths::path(Paths::PublishedListsDir) + QLatin1String("/school.xml");
        QDir().mkpath(Paths::path(Paths::PublishedListsDir));
        QFile::remove(published);
        Policy policy = schoolPolicy(QStringLiteral("game"));
        policy.type = Policy::Network;
        CommandRecorder recorder;
        policy.enact();
        QVERIFY(policy.active);
        QCOMPARE(recorder.commands().filter(QStringLiteral("crontab")).isEmpty(), !local);
        QCOMPARE(QFile::exists(published), !local);
        QCOMPARE(installedCronTable().isEmpty(), !local);
        QVERIFY(Policy(policy.filePath).active);
    }
};

QTEST_GUILESS_MAIN(TestActivation)
#include "test_activation.moc"
