#include "fakepolicyserver.h"
#include "policy.h"
#include "policyconfig.h"
#include "policyfinder.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "traymoderecorder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

// The network mode against a policy server on loopback, inside the sandbox's own network
// namespace; the policies it puts into force go through the real engine, whose services
// are the sandbox's stubs.
namespace {

const QString Local = QStringLiteral("/etc/tuvora/lists/policy_1.xml");

QByteArray policyXml(const QString &name, int type, bool active = false)
{
    const QString path = QStringLiteral("/tmp/built-policy.xml");
    Policy policy(0);
    policy.filePath = path;
    policy.name = name;
    policy.type = type;
    policy.active = active;
    policy.internet.urls << name.toLower() + QStringLiteral(".test");
    policy.save();
    return readFileBytes(path);
}

Policy stored(const QString &path)
{
    return Policy(path);
}

} // namespace

class TestPolicyFinder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        QVERIFY2(qgetenv("TUVORA_SANDBOX_NET") == "inside", "the finder must not reach the host's network");
        writeServerIP(QStringLiteral("127.0.0.1"));
        writeStatus(1);
        m_finder = sharedPolicyFinder(&m_tray);
        m_server.files[QStringLiteral("/tuvss/isTuvss")] = "Tuvora policy server\n";
    }

    void init()
    {
        QVERIFY(m_server.listen(QStringLiteral("127.0.0.1")));
        m_server.setSilent(false);
        m_server.requests.clear();
        m_tray.calls.clear();
        publish("school", {}, {});
        publish("parent", {}, {});
        QVERIFY(writeFileBytes(Local, policyXml(QStringLiteral("Home"), Policy::ComputerDefinedLocal, true)));
    }

    void schoolPolicyIsPutIntoForceFetchedOnceAndGoesWithTheServer()
    {
        publish("school", "Mon Dec  7 09:00:00 UTC 2026\n", policyXml(QStringLiteral("Escola"), Policy::Network));
        check();
        QVERIFY(m_finder->online);
        QVERIFY(m_finder->networkPolicy);
        QCOMPARE(m_finder->networkPolicy->name, QStringLiteral("Escola"));
        QVERIFY(m_finder->networkPolicy->active);
        QCOMPARE(m_tray.calls, QStringList { QStringLiteral("network") });
        // The local policy is lifted but still marked active for later.
        QVERIFY(stored(Local).active);
        QCOMPARE(readFileBytes(QStringLiteral("/etc/dansguardian/sitelist")).trimmed(), QByteArray("escola.test"));

        // Same stamps: nothing is fetched again.
        check();
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/school.xml")), 1);
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/schoolpv")), 2);
        QCOMPARE(m_tray.calls.size(), 1);

        // The server gone: the local policy comes back.
        m_server.close();
        check();
        QVERIFY(!m_finder->online);
        QVERIFY(!m_finder->networkPolicy);
        QCOMPARE(m_tray.calls.last(), QStringLiteral("local"));
        QCOMPARE(readFileBytes(QStringLiteral("/etc/dansguardian/sitelist")).trimmed(), QByteArray("home.test"));
    }

    void failedDownloadIsTriedAgainAtTheNextCheck()
    {
        publish("school", "Tue Dec  8 09:00:00 UTC 2026\n", {});
        m_server.files.remove(QStringLiteral("/tuvss/school.xml"));
        check();
        QVERIFY(!m_finder->networkPolicy);
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/school.xml")), 1);
        m_server.files[QStringLiteral("/tuvss/school.xml")] = policyXml(QStringLiteral("Escola"), Policy::Network);
        check();
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/school.xml")), 2);
        QVERIFY(m_finder->networkPolicy);
        backToLocal();
    }

    void schoolFileOfAnotherTypeLeavesTheLocalPolicyInForce()
    {
        publish(
            "school", "Wed Dec  9 09:00:00 UTC 2026\n", policyXml(QStringLiteral("Odd"), Policy::ComputerDefinedLocal));
        check();
        QVERIFY(!m_finder->networkPolicy);
        QVERIFY(m_tray.calls.isEmpty());
        QCOMPARE(readFileBytes(QStringLiteral("/etc/dansguardian/sitelist")).trimmed(), QByteArray("home.test"));
    }

    void parentPolicyJoinsTheListUnderNextPolicyAndAnEmptyOneRemovesIt()
    {
        writeNextPolicy(5);
        // A number already taken is never overwritten.
        QVERIFY(writeFileBytes(QStringLiteral("/etc/tuvora/lists/policy_5.xml"),
            policyXml(QStringLiteral("Mine"), Policy::ComputerDefinedLocal)));
        publish("parent", "p1\n", policyXml(QStringLiteral("Pais"), Policy::ServerDefinedLocal, true));
        check();
        const QString parentPath = QStringLiteral("/etc/tuvora/lists/policy_6.xml");
        QCOMPARE(stored(parentPath).name, QStringLiteral("Pais"));
        QCOMPARE(stored(parentPath).type, int(Policy::ServerDefinedLocal));
        QVERIFY(!stored(parentPath).active);
        QCOMPARE(stored(QStringLiteral("/etc/tuvora/lists/policy_5.xml")).name, QStringLiteral("Mine"));
        QCOMPARE(readNextPolicy(), 7);
        QVERIFY(m_tray.calls.contains(QStringLiteral("restart admin")));

        // A new version replaces it in place.
        publish("parent", "p2\n", policyXml(QStringLiteral("Pais 2"), Policy::ServerDefinedLocal));
        check();
        QCOMPARE(stored(parentPath).name, QStringLiteral("Pais 2"));
        QCOMPARE(readNextPolicy(), 7);

        publish("parent", "p3\n", {});
        check();
        QVERIFY(!QFile::exists(parentPath));
        QVERIFY(QFile::exists(QStringLiteral("/etc/tuvora/lists/policy_5.xml")));
        QFile::remove(QStringLiteral("/etc/tuvora/lists/policy_5.xml"));
    }

    void filesPlantedByUsersAreNeverLoaded()
    {
        // Where downloads went once, and a network folder that others could write to.
        const QByteArray planted = policyXml(QStringLiteral("Planted"), Policy::Network, true);
        QVERIFY(writeFileBytes(QStringLiteral("/tmp/school.xml"), planted));
        QVERIFY(writeFileBytes(QStringLiteral("/tmp/parent.xml"), planted));
        publish("parent", "p4\n", policyXml(QStringLiteral("Pais"), Policy::ServerDefinedLocal));
        check();
        QVERIFY(!m_finder->networkPolicy);
        QCOMPARE(fileMode(QStringLiteral("/var/lib/tuvora/network")), 0700u);

        QVERIFY(QDir(QStringLiteral("/var/lib/tuvora/network")).removeRecursively());
        QVERIFY(QDir().mkpath(QStringLiteral("/var/lib/tuvora/network")));
        ::chmod("/var/lib/tuvora/network", 01777);
        QVERIFY(writeFileBytes(QStringLiteral("/var/lib/tuvora/network/school.xml"), planted));
        publish("school", "Thu Dec 10 09:00:00 UTC 2026\n", policyXml(QStringLiteral("Escola"), Policy::Network));
        check();
        QVERIFY(!m_finder->networkPolicy);
        QCOMPARE(readFileBytes(QStringLiteral("/etc/dansguardian/sitelist")).trimmed(), QByteArray("home.test"));
        QVERIFY(QDir(QStringLiteral("/var/lib/tuvora/network")).removeRecursively());
        // Once the folder is root's own again, the school policy comes.
        check();
        QCOMPARE(m_finder->networkPolicy->name, QStringLiteral("Escola"));
        QCOMPARE(fileMode(QStringLiteral("/var/lib/tuvora/network")), 0700u);
        backToLocal();
    }

    void tickWhileACheckIsUnderWayIsLeftOut()
    {
        m_server.setSilent(true);
        QSignalSpy finished(m_finder, &PolicyFinder::checkFinished);
        m_finder->onTimeout();
        QVERIFY(m_finder->checking());
        m_finder->onTimeout();
        m_finder->onTimeout();
        // Two tries of two seconds against a server that never answers.
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/isTuvss")), 2);
        QVERIFY(!m_finder->online);
    }

    void policiesWaitWhileTheTrayDoesEngineWorkOfItsOwn()
    {
        publish("school", "Fri Dec 11 09:00:00 UTC 2026\n", policyXml(QStringLiteral("Escola"), Policy::Network));
        m_tray.busy = true;
        m_finder->onTimeout();
        QVERIFY(!m_finder->checking());

        // Busy once the check is under way: what it fetched waits.
        m_tray.busy = false;
        QSignalSpy finished(m_finder, &PolicyFinder::checkFinished);
        m_finder->onTimeout();
        m_tray.busy = true;
        QTest::qWait(1500);
        QVERIFY(finished.isEmpty());
        QVERIFY(!m_finder->networkPolicy);
        QCOMPARE(m_server.count(QStringLiteral("/tuvss/school.xml")), 1);
        m_tray.busy = false;
        QVERIFY(finished.wait(15000));
        m_finder->finishWork();
        QCOMPARE(m_finder->networkPolicy->name, QStringLiteral("Escola"));
        backToLocal();
    }

private:
    void publish(const char *list, const QByteArray &stamp, const QByteArray &policy)
    {
        const QString name = QString::fromLatin1(list);
        m_server.files[QStringLiteral("/tuvss/") + name + QStringLiteral("pv")] = stamp;
        m_server.files[QStringLiteral("/tuvss/") + name + QStringLiteral(".xml")] = policy;
    }

    // One network check, to its end.
    void check()
    {
        QSignalSpy finished(m_finder, &PolicyFinder::checkFinished);
        m_finder->onTimeout();
        QVERIFY(finished.wait(15000));
        m_finder->finishWork();
    }

    void backToLocal()
    {
        m_finder->backToParentPolicy(true);
        m_finder->finishWork();
        m_tray.calls.clear();
    }

    TrayModeRecorder m_tray;
    FakePolicyServer m_server;
    PolicyFinder *m_finder = nullptr;
};

QTEST_MAIN(TestPolicyFinder)
#include "test_policyfinder.moc"
