#include "clock.h"
#include "listfixture.h"
#include "messagebox.h"
#include "policy.h"
#include "policystore.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"
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

const QString SiteList = QStringLiteral("/etc/dansguardian/sitelist");

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
        const QString bin = QStringLiteral("/opt/tuvora-test/bin");
        m_game = bin + QStringLiteral("/game");
        install(QStringLiteral("/usr/bin/blocking.sh"), "#!/bin/sh\nexit 0\n");
        install(m_game, "#!/bin/sh\necho game\n");
        ::chmod("/opt/tuvora-test", 0755);
        ::chmod(QFile::encodeName(bin).constData(), 0755);
        qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
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
        install(QStringLiteral("/etc/init.d/cron"), "#!/bin/sh\nsleep 0.5\n");
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
        QVERIFY(rootCronTable().contains("/usr/bin/enactpolicy"));
        QCOMPARE(readFileBytes(SiteList).trimmed(), QByteArray("b.example"));

        window.btnApply->click();
        QVERIFY(!storedActive(2));
        QCOMPARE(rowNamed(window, QStringLiteral("B"))->text(2), QStringLiteral("Inactive"));
        QCOMPARE(window.btnApply->text(), QStringLiteral("Activate"));
        QCOMPARE(rootCronTable(), QByteArray());
        QVERIFY(!readFileBytes(SiteList).contains("b.example"));
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
        QVERIFY(readFileBytes(QStringLiteral("/opt/tuvorass/lists/school.xml")).contains("b.example"));
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
