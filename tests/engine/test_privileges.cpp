#include "commandrunner.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QFile>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestPrivileges)
#include "test_privileges.moc"
