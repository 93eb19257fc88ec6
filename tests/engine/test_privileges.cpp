#include "commandrunner.h"
#include "enginework.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

#include <unistd.h>

namespace {

constexpr uid_t Unprivileged = 65534;

// Lowers the effective user id for the life of the object; the saved id stays 0.
class LoweredEuid
{
public:
    LoweredEuid() { m_ok = ::seteuid(Unprivileged) == 0; }
    ~LoweredEuid() { [[maybe_unused]] const int rc = ::seteuid(0); }
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
};

} // namespace

class TestPrivileges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to lower the effective user id to another user's");
        LoweredEuid probe;
        QVERIFY(probe.ok());
    }

    void stretchesNestAndRestore()
    {
        LoweredEuid lowered;
        QCOMPARE(::geteuid(), Unprivileged);
        asRoot([] {
            QCOMPARE(::geteuid(), uid_t(0));
            asRoot([] { QCOMPARE(::geteuid(), uid_t(0)); });
            QCOMPARE(::geteuid(), uid_t(0));
        });
        QCOMPARE(::geteuid(), Unprivileged);
    }

    void everyEngineOperationRestoresTheCallersId()
    {
        LoweredEuid lowered;
        const QString path = Paths::path(Paths::PolicyDir) + QStringLiteral("/policy_3.xml");
        Policy policy(3);
        policy.name = QStringLiteral("written as root");
        policy.save();
        QCOMPARE(::geteuid(), Unprivileged);
        // The unprivileged id could not have written into the store.
        QVERIFY(QFile::exists(path));

        const Policy loaded(path);
        QCOMPARE(loaded.name, QStringLiteral("written as root"));
        QCOMPARE(::geteuid(), Unprivileged);

        writeStatus(1);
        QCOMPARE(readStatus(), 1);
        QCOMPARE(::geteuid(), Unprivileged);
        // The configuration is root's only: read as root in spite of the lowered id.
        writePassword(QStringLiteral("pw"));
        QCOMPARE(readPassword(), QStringLiteral("pw"));
        QCOMPARE(::geteuid(), Unprivileged);

        removeFileAsRoot(path);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(::geteuid(), Unprivileged);
    }

    // Commands run wholly as the effective user of the moment: as root inside a stretch
    // even when the real user is the caller's (the shell would otherwise drop root, as in
    // a set-user-id program), and never as root outside one (where the shell would take
    // back the real root of the administration program's window phase).
    void commandsRunWhollyAsTheEffectiveUser()
    {
        QTemporaryDir scratch;
        QVERIFY(QFile::setPermissions(scratch.path(), QFileDevice::Permissions(0x7777)));
        const QString out = scratch.filePath(QStringLiteral("ids"));
        const QString idsCommand = fillCommand(QStringLiteral("id -u > %1; id -ru >> %1"), { out });
        auto idsSeen = [&] {
            QFile::remove(out);
            runCommand(idsCommand);
            return QString::fromLatin1(readFileBytes(out)).simplified();
        };
        {
            LoweredEuid lowered; // real user root, effective user the caller
            QCOMPARE(idsSeen(), QStringLiteral("65534 65534"));
            QCOMPARE(QString::fromLatin1(captureProgram(QStringLiteral("id"), { QStringLiteral("-u") }).standardOutput)
                         .trimmed(),
                QStringLiteral("65534"));
        }
        // A set-user-id program: real user the caller, effective and saved user root.
        QCOMPARE(::setresuid(Unprivileged, 0, 0), 0);
        const QString asSetuid = idsSeen();
        const QString whichSeen = whichProgram(QStringLiteral("id"));
        QCOMPARE(::setresuid(0, 0, 0), 0);
        QCOMPARE(asSetuid, QStringLiteral("0 0"));
        QVERIFY(whichSeen.endsWith(QLatin1String("/id")));
    }

    // While engine work runs as root on a worker thread, the calling thread's events go
    // on under the user's id.
    void engineWorkRaisesOnlyTheWorkersId()
    {
        LoweredEuid lowered;
        std::atomic<bool> workerWasRoot = false;
        std::atomic<bool> release = false;
        QList<uid_t> seenMeanwhile;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            seenMeanwhile.append(::geteuid());
            if (seenMeanwhile.size() == 3)
                release = true;
        });
        ticker.start(10);
        runEngineWorkAndWait([&] {
            asRoot([&] {
                workerWasRoot = ::geteuid() == 0;
                while (!release)
                    QThread::msleep(5);
            });
        });
        QVERIFY(workerWasRoot);
        QVERIFY(seenMeanwhile.size() >= 3);
        QCOMPARE(seenMeanwhile.count(Unprivileged), seenMeanwhile.size());
        QCOMPARE(::geteuid(), Unprivileged);
    }
};

QTEST_GUILESS_MAIN(TestPrivileges)
#include "test_privileges.moc"
