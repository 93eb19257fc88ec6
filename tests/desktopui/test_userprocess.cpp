#include "sandboxcheck.h"
#include "testfiles.h"
#include "userprocess.h"

#include <QFile>
#include <QTest>

#include <unistd.h>

// The outside browser is started from a program that keeps root as its real or saved
// user id. The browser must run as the user alone, or it could switch itself to root.
class TestUserProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to hold the ids of another user");
    }

    void childKeepsNoRootId()
    {
        const QString out = QStringLiteral("/tmp/ids");
        QFile::remove(out);
        // As the administration program runs its window: real and saved id root,
        // effective id the user's.
        QCOMPARE(setresuid(0, 65534, 0), 0);
        const bool started = startDetachedAsUser(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"),
                QStringLiteral("cat /proc/self/status | grep '^Uid:' > %1.part; mv %1.part %1").arg(out) });
        QCOMPARE(setresuid(0, 0, 0), 0);
        QVERIFY(started);
        QTRY_VERIFY(QFile::exists(out));
        // Real, effective, saved and file-system ids all the user's.
        QCOMPARE(readFileBytes(out).simplified(), QByteArray("Uid: 65534 65534 65534 65534"));
    }

    void missingProgramIsReported()
    {
        QVERIFY(
            !startDetachedAsUser(QStringLiteral("/nonexistent/firefox"), { QStringLiteral("http://example.org/") }));
        QVERIFY(startDetachedAsUser(QStringLiteral("/bin/true"), {}));
    }
};

QTEST_GUILESS_MAIN(TestUserProcess)
#include "test_userprocess.moc"
