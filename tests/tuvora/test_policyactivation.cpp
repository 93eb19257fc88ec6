#include "clock.h"
#include "listfixture.h"
#include "messagebox.h"
#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"
#include "sandboxplaces.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

using namespace ListFixture;

// Activate and Deactivate from the window, against the real tools in the sandbox: what
// counts is what the policy files, root's cron table and the filter's lists say after.
namespace {

const QString SiteList = Paths::path(Paths::SiteList);

QByteArray rootCronTable()
{
    QProcess crontab;
    crontab.start(QStringLiteral("crontab"), { QStringLiteral("-l"), QStringLiteral("-u"), QStringLiteral("root") });
    crontab.waitForFinished();
    return crontab.exitCode() == 0 ? crontab.readAllStandardOutput() : QByteArray();
}

bool storedActive(int number)
{
    return Policy(PolicyStore::pathForNumber(number)).active;
}

void install(const QString &path, const QByteArray &script)
{
    QDir().mkpath(QFileInfo(path).path());
    writeFileBytes(path, script);
    ::chmod(QFile::encodeName(path).constData(), 0755);
}

} // namespace

class TestPolicyActivation : public QObject
{
    Q_OBJECT

    QString m_bin;
    QString m_game;

    // A blocks the game; B bans a site. Every hour is restricted but Sunday midnight,
    // so the cron table has lines to install.
    void writePolicies(int typeOfA, int typeOfB)
    {
        Policy a(1);
        a.name = QStringLiteral("A");
        a.type = typeOfA;
        BlockedApplication game;
        game.exec = QStringLiteral("game %u");
        game.desktopFile = QStringLiteral("/usr/share/applications/game.desktop");
        a.applications.insert(game.desktopFile, game);
        a.internet.urls = { QStringLiteral("a.example") };
        a.save();
        Policy b(2);
        b.name = QStringLiteral("B");
        b.type = typeOfB;
        b.internet.urls = { QStringLiteral("b.example") };
        b.internetGrid[0] = 0;
        b.save();
    }

    bool gameBlocked() const { return QFileInfo::exists(m_game + QStringLiteral(".tuvora")); }

private slots:
    void initTestCase()
    {
        requireSandbox();
        struct stat root
        {
        };
        if (::stat("/", &root) != 0 || root.st_uid != 0)
            QSKIP("needs the machine's root: in a user namespace no folder is root's and nothing can be blocked");
        // Only programs in folders of root's alone are ever blocked.
        m_bin = QLatin1String(SandboxPlaces::ProgramRoot) + QLatin1String("/bin");
        m_game = m_bin + QStringLiteral("/game");
        install(Paths::path(Paths::GateScript), "#!/bin/sh\nexit 0\n");
        install(m_game, "#!/bin/sh\necho game\n");
        ::chmod(SandboxPlaces::ProgramRoot, 0755);
        ::chmod(QFile::encodeName(m_bin).constData(), 0755);
        qputenv("PATH", QFile::encodeName(m_bin) + ':' + qgetenv("PATH"));
        // Monday 09:30: every rule of both policies is in force.
        setClockSource([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); });
    }

    void init()
    {
        clearStore();
        writeConfiguration(0);
        prePolicySelection::setEditorStandIn({});
    }

    void activatingBSwitchesAOffAndDeactivateSwitchesBOff()
    {
        writePolicies(Policy::ComputerDefinedLocal, Policy::ComputerDefinedLocal);
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("A"));
        window.btnApply->click();
        QVERIFY(storedActive(1));
        QVERIFY(gameBlocked());
        QVERIFY(readFileBytes(SiteList).contains("a.example"));

        // The services take their time; meanwhile the window says so and takes no input.
        install(Paths::path(Paths::CronInit), "#!/bin/sh\nsleep 0.5\n");
        bool sampled = false;
        QTimer::singleShot(150, &window, [&] {
            sampled = true;
            QVERIFY(!window.centralWidget()->isEnabled());
            QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Activating the policy..."));
            QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            QVERIFY(!window.close());
            window.btnRemove->click();
            QVERIFY(MessageBox::shown().isEmpty());
        });
        selectRow(window, QStringLiteral("B"));
        window.btnApply->click();
        QVERIFY(sampled);
        QVERIFY(window.centralWidget()->isEnabled() && !QApplication::overrideCursor());
        QVERIFY(window.statusBar()->currentMessage().isEmpty());

        QVERIFY(!storedActive(1));
        QVERIFY(!gameBlocked());
        QCOMPARE(rowNamed(window, QStringLiteral("A"))->text(2), QStringLiteral("Inactive"));
        QVERIFY(storedActive(2));
        QCOMPARE(rowNamed(window, QStringLiteral("B"))->text(2), QStringLiteral("Active"));
        QCOMPARE(window.btnApply->text(), QStringLiteral("Deactivate"));
        QVERIFY(rootCronTable().contains(Paths::ActivatorProgram));
        QCOMPARE(readFileBytes(SiteList).trimmed(), QByteArray("b.example"));

        window.btnApply->click();
        QVERIFY(!storedActive(2));
        QCOMPARE(rowNamed(window, QStringLiteral("B"))->text(2), QStringLiteral("Inactive"));
        QCOMPARE(window.btnApply->text(), QStringLiteral("Activate"));
        QCOMPARE(rootCronTable(), QByteArray());
        QVERIFY(!readFileBytes(SiteList).contains("b.example"));
    }

    void noOtherActivationComesBetweenSwitchingOffAndPuttingIntoForce()
    {
        writePolicies(Policy::ComputerDefinedLocal, Policy::ComputerDefinedLocal);
        // A long list makes saving A, between the two steps, take a while.
        Policy a(PolicyStore::pathForNumber(1));
        for (int i = 0; i < 100000; ++i)
            a.internet.urls.append(QStringLiteral("site%1.example").arg(i));
        QVERIFY(a.save());
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("A"));
        window.btnApply->click();
        QVERIFY(gameBlocked());

        // Another activation, as cron's enactpolicy, asks for the lock while A's game is
        // being given back (looking for the game is the first thing that does); B's
        // activation restarts cron last. The log says which of the two came first.
        const QString log = QStringLiteral("/tmp/activation-order.log");
        QFile::remove(log);
        const QString which = m_bin + QLatin1String("/which");
        install(which,
            QStringLiteral("#!/bin/sh\n(flock %1 sh -c 'echo other >> %2' </dev/null >/dev/null 2>&1 &)\n"
                           "sleep 0.3\nexec /usr/bin/which \"$@\"\n")
                .arg(QLatin1String(Paths::ActivationLock), log)
                .toUtf8());
        install(Paths::path(Paths::CronInit), QStringLiteral("#!/bin/sh\necho cron >> %1\n").arg(log).toUtf8());
        selectRow(window, QStringLiteral("B"));
        window.btnApply->click();
        QFile::remove(which);
        QVERIFY(!gameBlocked() && storedActive(2));
        QTRY_COMPARE(readFileBytes(log), QByteArray("cron\nother\n"));
        window.btnApply->click();
        QVERIFY(!storedActive(2));
    }

    void onAPolicyServerOnlyTheSameTypeIsSwitchedOff()
    {
        writeConfiguration(1);
        writePolicies(Policy::ComputerDefinedLocal, Policy::Network);
        Policy a(PolicyStore::pathForNumber(1));
        a.active = true;
        a.save();
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("B"));
        window.btnApply->click();
        QVERIFY(storedActive(1));
        QVERIFY(storedActive(2));
        QVERIFY(
            readFileBytes(Paths::path(Paths::PublishedListsDir) + QLatin1String("/school.xml")).contains("b.example"));
        QCOMPARE(rootCronTable(), QByteArray());
    }

    void editingAnActivePolicyPutsTheNewRulesInForce()
    {
        writePolicies(Policy::ComputerDefinedLocal, Policy::ComputerDefinedLocal);
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("A"));
        window.btnApply->click();
        QVERIFY(gameBlocked());

        // The game is taken out of the policy and a site is added.
        prePolicySelection::setEditorStandIn([](Policy &policy, const PolicyNameCheck &) {
            policy.applications.clear();
            policy.internet.urls.append(QStringLiteral("new.example"));
            policy.save();
            return true;
        });
        window.btnEdit->click();
        QVERIFY(storedActive(1));
        QCOMPARE(rowNamed(window, QStringLiteral("A"))->text(2), QStringLiteral("Active"));
        QVERIFY(readFileBytes(SiteList).contains("new.example"));
        QVERIFY(!gameBlocked());
        QVERIFY(QFileInfo(m_game).isFile() && !QFileInfo(m_game).isSymLink());
    }
};

QTEST_MAIN(TestPolicyActivation)
#include "test_policyactivation.moc"
