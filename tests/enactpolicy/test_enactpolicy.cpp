#include "activationfixture.h"
#include "policy.h"
#include "policystore.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Fixture;

namespace {

const QString SiteList = QStringLiteral("/etc/dansguardian/sitelist");
const QString CommandLog = QStringLiteral("/tmp/enactpolicy-commands.log");

struct Run
{
    int exitCode = -1;
    QStringList commands;
};

// Runs the installed-to-be program as cron would, at a fixed local time.
Run enactpolicy(const QStringList &arguments, const QString &localTime = QStringLiteral("2026-12-07 09:30:00"))
{
    QFile::remove(CommandLog);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TUVORA_COMMAND_LOG"), CommandLog);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("faketime"), QStringList { localTime, QStringLiteral(ENACTPOLICY_PATH) } + arguments);
    process.waitForFinished();
    return { process.exitCode(),
        QString::fromUtf8(readFileBytes(CommandLog)).split(QLatin1Char('\n'), Qt::SkipEmptyParts) };
}

// Internet restricted on Monday from 8:00 to 12:00 (and at the given extra hour of
// Tuesday, to tell two policies' cron tables apart); one blocked application.
Policy storedPolicy(const QString &fileName, bool active, const QString &site, int tuesdayHour = 20)
{
    Policy policy(PolicyStore::pathForName(fileName));
    policy.active = active;
    policy.internetGrid.fill(0);
    policy.applicationGrid.fill(0);
    for (int hour = 8; hour < 12; ++hour) {
        policy.internetGrid[WeekGrid::cellIndex(1, hour)] = 1;
        policy.applicationGrid[WeekGrid::cellIndex(1, hour)] = 1;
    }
    policy.internetGrid[WeekGrid::cellIndex(2, tuesdayHour)] = 1;
    policy.internet.urls = { site };
    BlockedApplication application;
    application.exec = QStringLiteral("game %u");
    application.desktopFile = QStringLiteral("game.desktop");
    policy.applications.insert(application.desktopFile, application);
    policy.save();
    return policy;
}

} // namespace

class TestEnactPolicy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

private slots:
    void initTestCase()
    {
        requireSandbox();
        installGate();
        qputenv("PATH", QFile::encodeName(m_root.filePath(QStringLiteral("bin"))) + ':' + qgetenv("PATH"));
    }

    void init()
    {
        QDir(PolicyStore::directory()).removeRecursively();
        QDir().mkpath(PolicyStore::directory());
        QDir(m_root.filePath(QStringLiteral("bin"))).removeRecursively();
        installProgram(m_root.filePath(QStringLiteral("bin")), QStringLiteral("game"), 0755);
        writeFilterConfiguration();
        writeConfiguration(1);
        removeCronTable();
    }

    void withoutArgumentsNothingHappens()
    {
        const Policy policy = storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        const QByteArray before = readFileBytes(policy.filePath);
        const Run run = enactpolicy({});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.commands, QStringList());
        QCOMPARE(readFileBytes(policy.filePath), before);
        QCOMPARE(readFileBytes(SiteList), QByteArray("old.example\n"));
        QCOMPARE(installedCronTable(), QByteArray());
    }

    void theFirstArgumentChoosesTheBackEnds_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("applications");
        QTest::newRow("e") << QStringList { QStringLiteral("e") } << false;
        QTest::newRow("-1 activate 2") << QStringList { QStringLiteral("-1"), QStringLiteral("activate"),
            QStringLiteral("2") } << true;
        QTest::newRow("x") << QStringList { QStringLiteral("x") } << true;
        QTest::newRow("E") << QStringList { QStringLiteral("E") } << true;
        QTest::newRow("e as a later word") << QStringList { QStringLiteral("-1"), QStringLiteral("e") } << true;
    }

    void theFirstArgumentChoosesTheBackEnds()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, applications);
        const Policy policy = storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        const Run run = enactpolicy(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.commands.contains(QStringLiteral("which game")), applications);
        QCOMPARE(QFileInfo(m_root.filePath(QStringLiteral("bin/game"))).isSymLink(), applications);
        QVERIFY(run.commands.contains(QStringLiteral("/etc/init.d/squid reload")));
        QCOMPARE(readFileBytes(SiteList), QByteArray("games.example\n"));
        QVERIFY(Policy(policy.filePath).active);
        QCOMPARE(installedCronTable(), readFileBytes(QStringLiteral("/tmp/crontab.policy")));
        QVERIFY(installedCronTable().startsWith("00 8 * * 1  /usr/bin/enactpolicy -1 activate 2\n"));
    }

    void theCronLinesPutTheHourIntoForce_data()
    {
        QTest::addColumn<QString>("localTime");
        QTest::addColumn<QByteArray>("sites");
        QTest::newRow("activate at Monday 8:00")
            << QStringLiteral("2026-12-07 08:00:00") << QByteArray("games.example\n");
        QTest::newRow("schedule_deactivation at Monday 12:00") << QStringLiteral("2026-12-07 12:00:00") << QByteArray();
    }

    void theCronLinesPutTheHourIntoForce()
    {
        QFETCH(QString, localTime);
        QFETCH(QByteArray, sites);
        const Policy policy = storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        QCOMPARE(
            enactpolicy({ QStringLiteral("-1"), QStringLiteral("activate"), QStringLiteral("1") }, localTime).exitCode,
            0);
        QCOMPARE(readFileBytes(SiteList), sites);
        QCOMPARE(QFileInfo(m_root.filePath(QStringLiteral("bin/game"))).isSymLink(), !sites.isEmpty());
        QVERIFY(Policy(policy.filePath).active);
        QVERIFY(installedCronTable().contains("00 12 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 1\n"));
    }

    void inactiveOrMissingPoliciesChangeNothing()
    {
        QCOMPARE(enactpolicy({ QStringLiteral("x") }).exitCode, 0);
        storedPolicy(QStringLiteral("policy_1.xml"), false, QStringLiteral("games.example"));
        writeFileBytes(PolicyStore::pathForName(QStringLiteral("policy_2.xml")), "not xml");
        const Run run = enactpolicy({ QStringLiteral("x") });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.commands, QStringList());
        QCOMPARE(readFileBytes(SiteList), QByteArray("old.example\n"));
        QCOMPARE(installedCronTable(), QByteArray());
    }

    void everyActivePolicyIsPutIntoForceInFileNameOrder()
    {
        // After an interrupted switch two files may say active; the later one in
        // name order (policy_10 before policy_2, then policy_abc) leaves its table.
        storedPolicy(QStringLiteral("policy_2.xml"), true, QStringLiteral("two.example"), 21);
        storedPolicy(QStringLiteral("policy_10.xml"), true, QStringLiteral("ten.example"), 22);
        storedPolicy(QStringLiteral("policy_abc.xml"), true, QStringLiteral("abc.example"), 23);
        const Run run = enactpolicy({ QStringLiteral("e") });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.commands.filter(QStringLiteral("crontab -u root /tmp/crontab.policy")).size(), 3);
        QCOMPARE(readFileBytes(SiteList), QByteArray("abc.example\n"));
        QVERIFY(installedCronTable().contains("00 23 * * 2  /usr/bin/enactpolicy -1 activate 1\n"));
        for (const char *name : { "policy_2.xml", "policy_10.xml", "policy_abc.xml" })
            QVERIFY(Policy(PolicyStore::pathForName(QLatin1String(name))).active);

        QFile::remove(PolicyStore::pathForName(QStringLiteral("policy_abc.xml")));
        enactpolicy({ QStringLiteral("e") });
        QCOMPARE(readFileBytes(SiteList), QByteArray("two.example\n"));
        QVERIFY(installedCronTable().contains("00 21 * * 2  /usr/bin/enactpolicy -1 activate 1\n"));
    }
};

QTEST_GUILESS_MAIN(TestEnactPolicy)
#include "test_enactpolicy.moc"
