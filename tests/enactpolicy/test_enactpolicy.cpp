#include "activationfixture.h"
#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Fixture;

namespace {

const QString SiteList = Paths::path(Paths::SiteList);
const QString CommandLog = QStringLiteral("/tmp/enactpolicy-commands.log");
// Where an administrator installs programs: a folder of the suite's search path that
// cron's leaves out.
const QString LocalPrograms = QStringLiteral("/usr/local/bin");
const QString CronSearchPath = QStringLiteral("/usr/bin:/bin");

// The environment cron gives its jobs, as far as enactpolicy is concerned.
QProcessEnvironment cronEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), CronSearchPath);
    return environment;
}

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
    QProcessEnvironment environment = cronEnvironment();
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

QStringList domains(const char *pattern, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QString::fromLatin1(pattern).arg(i));
    return list;
}

QProcess *startEnactpolicy(QObject *parent)
{
    auto *process = new QProcess(parent);
    process->setProcessEnvironment(cronEnvironment());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral("faketime"),
        { QStringLiteral("2026-12-07 09:30:00"), QStringLiteral(ENACTPOLICY_PATH), QStringLiteral("x") });
    return process;
}

bool hasDuplicateLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    lines.removeAll(QByteArray());
    return QSet<QByteArray>(lines.cbegin(), lines.cend()).size() != lines.size();
}

bool run(const QString &shellLine)
{
    return QProcess::execute(QLatin1String(Paths::Shell), { QStringLiteral("-c"), shellLine }) == 0;
}

// A small file system mounted over a folder, holding a copy of what the folder held and
// nothing more of room, for as long as the object lives.
class FullFolder
{
public:
    explicit FullFolder(const QString &folder)
        : m_folder(folder)
    {
        m_mounted = run(QStringLiteral("set -e; rm -rf /tmp/full-copy; cp -a %1 /tmp/full-copy;"
                                       "mount -t tmpfs -o size=1m,mode=0755 tuvora-full %1; cp -a /tmp/full-copy/. %1/;"
                                       "head -c 4m /dev/zero > %1/fill-up 2>/dev/null || true")
                            .arg(folder));
    }
    ~FullFolder()
    {
        if (m_mounted)
            run(QStringLiteral("umount %1").arg(m_folder));
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace

class TestEnactPolicy : public QObject
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
    }

    void init()
    {
        QDir(PolicyStore::directory()).removeRecursively();
        QDir().mkpath(PolicyStore::directory());
        QDir(Paths::path(Paths::BlockedModesDir)).removeRecursively();
        m_game = LocalPrograms + QLatin1String("/game");
        QFile::remove(m_game);
        QFile::remove(m_game + QLatin1String(".tuvora"));
        installProgram(LocalPrograms, QStringLiteral("game"), 0755);
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
        QCOMPARE(QFileInfo(m_game).isSymLink(), applications);
        QVERIFY(run.commands.contains(QStringLiteral("/etc/init.d/squid reload")));
        QCOMPARE(readFileBytes(SiteList), QByteArray("games.example\n"));
        QVERIFY(Policy(policy.filePath).active);
        QCOMPARE(installedCronTable(), readFileBytes(Paths::path(Paths::CronStaging)));
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
        QCOMPARE(QFileInfo(m_game).isSymLink(), !sites.isEmpty());
        QVERIFY(Policy(policy.filePath).active);
        QVERIFY(installedCronTable().contains("00 12 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 1\n"));
    }

    void programsOutsideCronsSearchPathAreBlockedAndGivenBack()
    {
        storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        QCOMPARE(enactpolicy({ QStringLiteral("-1"), QStringLiteral("activate"), QStringLiteral("2") },
                     QStringLiteral("2026-12-07 08:00:00"))
                     .exitCode,
            0);
        QCOMPARE(QFileInfo(m_game).symLinkTarget(), Paths::path(Paths::GateScript));
        QCOMPARE(enactpolicy({ QStringLiteral("-1"), QStringLiteral("schedule_deactivation"), QStringLiteral("2") },
                     QStringLiteral("2026-12-07 12:00:00"))
                     .exitCode,
            0);
        QVERIFY(!QFileInfo(m_game).isSymLink());
        QCOMPARE(fileMode(m_game), 0755u);
        QVERIFY(!QFileInfo::exists(m_game + QLatin1String(".tuvora")));
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
        QCOMPARE(run.commands.filter(QStringLiteral("crontab -u root /var/lib/tuvora/crontab.policy")).size(), 3);
        QCOMPARE(readFileBytes(SiteList), QByteArray("abc.example\n"));
        QVERIFY(installedCronTable().contains("00 23 * * 2  /usr/bin/enactpolicy -1 activate 1\n"));
        for (const char *name : { "policy_2.xml", "policy_10.xml", "policy_abc.xml" })
            QVERIFY(Policy(PolicyStore::pathForName(QLatin1String(name))).active);

        QFile::remove(PolicyStore::pathForName(QStringLiteral("policy_abc.xml")));
        enactpolicy({ QStringLiteral("e") });
        QCOMPARE(readFileBytes(SiteList), QByteArray("two.example\n"));
        QVERIFY(installedCronTable().contains("00 21 * * 2  /usr/bin/enactpolicy -1 activate 1\n"));
    }

    // While the tray holds a school or teacher policy the local one is lifted but still
    // marked active; the schedule keeps the held one in force, not the local one.
    void aHeldNetworkPolicyStaysInForceOverTheLocalOne()
    {
        storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("local.example"), 21);
        QVERIFY(QDir().mkpath(QStringLiteral("/var/lib/tuvora/network")));
        ::chmod("/var/lib/tuvora/network", 0700);
        Policy held = storedPolicy(QStringLiteral("held"), true, QStringLiteral("school.example"), 22);
        QFile::remove(QStringLiteral("/var/lib/tuvora/network/held.xml"));
        QVERIFY(QFile::copy(held.filePath, QStringLiteral("/var/lib/tuvora/network/held.xml")));
        QFile::remove(held.filePath);

        QCOMPARE(enactpolicy({ QStringLiteral("e") }).exitCode, 0);
        QCOMPARE(readFileBytes(SiteList), QByteArray("school.example\n"));
        QVERIFY(installedCronTable().contains("00 22 * * 2  /usr/bin/enactpolicy -1 activate 1\n"));
        QVERIFY(Policy(QStringLiteral("/var/lib/tuvora/network/held.xml")).active);
        QVERIFY(Policy(PolicyStore::pathForName(QStringLiteral("policy_1.xml"))).active);

        // A file that someone else could have written is no held policy.
        ::chmod("/var/lib/tuvora/network/held.xml", 0666);
        QCOMPARE(enactpolicy({ QStringLiteral("e") }).exitCode, 0);
        QCOMPARE(readFileBytes(SiteList), QByteArray("local.example\n"));
        QFile::remove(QStringLiteral("/var/lib/tuvora/network/held.xml"));
    }

    void aRunWaitsWhileAnotherActivationHoldsTheLock()
    {
        storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        QVERIFY(QDir().mkpath(Paths::path(Paths::StateDir)));
        const int fd = ::open(Paths::ActivationLock, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX), 0);
        QProcess *waiting = startEnactpolicy(this);
        QVERIFY(!waiting->waitForFinished(1500));
        QCOMPARE(readFileBytes(SiteList), QByteArray("old.example\n"));
        ::close(fd);
        QVERIFY(waiting->waitForFinished(10000));
        QCOMPARE(waiting->exitCode(), 0);
        QCOMPARE(readFileBytes(SiteList), QByteArray("games.example\n"));
    }

    void twoRunsAtOnceNeverDoubleALine()
    {
        const QStringList sites = domains("site%1.example", 300);
        Policy policy = storedPolicy(QStringLiteral("policy_1.xml"), true, QString());
        policy.internet.urls = sites;
        policy.save();
        const QByteArray expected = sites.join(QLatin1Char('\n')).toUtf8() + '\n';
        for (int attempt = 0; attempt < 30; ++attempt) {
            QProcess *first = startEnactpolicy(this);
            QProcess *second = startEnactpolicy(this);
            QVERIFY(first->waitForFinished(20000) && second->waitForFinished(20000));
            QCOMPARE(first->exitCode() + second->exitCode(), 0);
            delete first;
            delete second;
            QCOMPARE(readFileBytes(SiteList), expected);
            QVERIFY(!hasDuplicateLines(installedCronTable()));
        }
    }

    void aFullFileSystemKeepsTheRulesInForce_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("toWhiteList");
        QTest::newRow("content filter") << Paths::path(Paths::FilterDir) << false;
        QTest::newRow("squid, switching to a white list") << Paths::path(Paths::SquidDir) << true;
        QTest::newRow("policy store") << PolicyStore::directory() << false;
        QTest::newRow("root's state folder") << Paths::path(Paths::StateDir) << false;
    }

    void aFullFileSystemKeepsTheRulesInForce()
    {
        QFETCH(QString, folder);
        QFETCH(bool, toWhiteList);
        // The rules in force: a short black list.
        Policy policy = storedPolicy(QStringLiteral("policy_1.xml"), true, QStringLiteral("games.example"));
        QCOMPARE(enactpolicy({ QStringLiteral("x") }).exitCode, 0);
        // The administrator's change that the next run puts into force: far more sites,
        // or a white list.
        policy.internet.urls = domains("site%1.example", 20000);
        policy.internet.urlsWhite = { QStringLiteral("school.example") };
        policy.internet.listType = toWhiteList ? 1 : 0;
        policy.internetGrid[WeekGrid::cellIndex(3, 7)] = 1;
        QVERIFY(policy.save());

        const QStringList watched = { SiteList, Paths::path(Paths::PhraseList), Paths::path(Paths::FilterGroupConf),
            Paths::path(Paths::SquidConf), Paths::path(Paths::SquidWhiteList), policy.filePath };
        QMap<QString, QByteArray> before;
        for (const QString &file : watched)
            before.insert(file, readFileBytes(file));
        const QByteArray tableBefore = installedCronTable();
        clearInitScriptCalls();
        {
            FullFolder full(folder);
            QVERIFY(full.mounted());
            const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
            QCOMPARE(enactpolicy({ QStringLiteral("x") }).exitCode, 2);
            // Nor is a temporary file left behind.
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), names);
            for (const QString &file : watched) {
                if (file.startsWith(folder + QLatin1Char('/')))
                    QVERIFY2(readFileBytes(file) == before.value(file), qPrintable(file));
            }
        }
        // A list that could not be written is never reloaded; nor is anything after it.
        if (folder == QLatin1String(Paths::FilterDir) || folder == QLatin1String(Paths::SquidDir))
            QCOMPARE(initScriptCalls(), QStringList({ QStringLiteral("/etc/init.d/cron restart") }));
        if (folder == QLatin1String(Paths::StateDir))
            QCOMPARE(installedCronTable(), tableBefore);
        QVERIFY(Policy(policy.filePath).active);
    }
};

QTEST_GUILESS_MAIN(TestEnactPolicy)
#include "test_enactpolicy.moc"
