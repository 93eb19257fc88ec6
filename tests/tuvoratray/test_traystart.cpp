#include "sandboxcheck.h"
#include "sessionbus.h"
#include "sessionlock.h"
#include "webredirect.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

// What the tray's start and end do before and after the toolkit: the web redirect, the
// one-tray-per-session lock, the session bus address it accepts. In the sandbox with a
// network namespace of its own.
namespace {

QStringList natOutputRules()
{
    QProcess iptables;
    iptables.start(QStringLiteral("iptables"),
        { QStringLiteral("-t"), QStringLiteral("nat"), QStringLiteral("-S"), QStringLiteral("OUTPUT") });
    iptables.waitForFinished();
    QStringList rules
        = QString::fromUtf8(iptables.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    rules.removeAll(QStringLiteral("-P OUTPUT ACCEPT"));
    return rules;
}

} // namespace

class TestTrayStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (qgetenv("TUVORA_SANDBOX_NET") != "inside")
            QSKIP("needs the sandbox's own network namespace");
    }

    void webRedirectComesAndOnlyItsPort80RulesGo()
    {
        QVERIFY(natOutputRules().isEmpty());
        restoreWebRedirect();
        const QStringList loaded = natOutputRules();
        QCOMPARE(loaded.size(), 5);
        QVERIFY(loaded.at(1).contains(QLatin1String("--dport 80 -j REDIRECT --to-ports 8080")));

        // Restored again at the next start: the rule set replaces, it does not pile up.
        restoreWebRedirect();
        QCOMPARE(natOutputRules(), loaded);

        removeWebRedirect();
        QCOMPARE(natOutputRules(), loaded.mid(2));
    }

    void oneTrayPerSession()
    {
        const uid_t user = 1000;
        {
            SessionLock first;
            QVERIFY(first.acquire(user, ":0"));
            SessionLock again;
            QVERIFY(!again.acquire(user, ":0.0"));
            SessionLock otherDisplay;
            QVERIFY(otherDisplay.acquire(user, ":1"));
            SessionLock otherUser;
            QVERIFY(otherUser.acquire(user + 1, ":0"));
        }
        // The lock goes with the tray that held it.
        SessionLock next;
        QVERIFY(next.acquire(user, ":0"));

        // Only root can reach the locks.
        const QFileInfo folder(QStringLiteral("/var/lib/tuvora/tray"));
        QCOMPARE(int(folder.permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther)), 0);
        QCOMPARE(QString::fromStdString(SessionLock::pathFor(user, "host/../x:3.1")),
            QStringLiteral("/var/lib/tuvora/tray/1000-host_.._x:3.lock"));
    }

    void sessionBusAddressMustBeOneLocalSocket_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("plain");
        QTest::newRow("path") << QByteArray("unix:path=/run/user/1000/bus") << true;
        QTest::newRow("abstract with guid") << QByteArray("unix:abstract=/tmp/dbus-Ab1_x,guid=0f1e2d") << true;
        QTest::newRow("program") << QByteArray("unixexec:path=/bin/sh,argv1=-c") << false;
        QTest::newRow("autolaunch") << QByteArray("autolaunch:") << false;
        QTest::newRow("network") << QByteArray("tcp:host=10.0.0.1,port=4000") << false;
        QTest::newRow("nonce file") << QByteArray("nonce-tcp:host=localhost,port=1,noncefile=/home/k/n") << false;
        QTest::newRow("second address") << QByteArray("unix:path=/run/user/1000/bus;autolaunch:") << false;
        QTest::newRow("relative path") << QByteArray("unix:path=bus") << false;
        QTest::newRow("escaped") << QByteArray("unix:path=/run/%2e%2e/bus") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void sessionBusAddressMustBeOneLocalSocket()
    {
        QFETCH(QByteArray, address);
        QFETCH(bool, plain);
        QCOMPARE(isPlainSessionBusAddress(address), plain);
    }
};

QTEST_GUILESS_MAIN(TestTrayStart)
#include "test_traystart.moc"
