#include "sandboxcheck.h"
#include "sessionbus.h"
#include "sessionlock.h"

#include <QFileInfo>
#include <QTest>

// What the tray's start decides before the toolkit: the one-tray-per-session lock and
// the session bus address it accepts.
class TestTrayStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

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
