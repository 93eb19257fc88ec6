#include "activationfixture.h"
#include "applicationblocking.h"
#include "policyactivation.h"
#include "sandboxcheck.h"

#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace Fixture;

// The engine's entry points raise the effective user id to root for their work and put
// back the one they found. A test of its own: it needs a second user id to start from,
// and skips as a whole (shown as skipped) where the sandbox has none.
class TestActivationEuid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!rootOwnsTheFolders() || ::seteuid(65534) != 0)
            QSKIP("needs the machine's root: no second user id in this sandbox");
        QVERIFY(::seteuid(0) == 0);
        installGate();
        qputenv("PATH", QFile::encodeName(rootProgramFolder()) + ':' + qgetenv("PATH"));
        installProgram(rootProgramFolder(), QStringLiteral("game"), 0755);
        writeFilterConfiguration();
        writeConfiguration(1);
        removeCronTable();
    }

    void everyEntryPointPutsTheEffectiveUserIdBack()
    {
        Policy policy(1);
        policy.internet.urls = { QStringLiteral("games.example") };
        BlockedApplication game;
        game.exec = QStringLiteral("game");
        game.desktopFile = QStringLiteral("game.desktop");
        policy.applications.insert(game.desktopFile, game);

        QVERIFY(::seteuid(65534) == 0);
        policy.enact();
        const uid_t afterEnact = ::geteuid();
        applyApplicationBlocking(policy, true);
        const uid_t afterBlocking = ::geteuid();
        unblockApplications(policy);
        const uid_t afterUnblock = ::geteuid();
        QVERIFY(::seteuid(0) == 0);
        writeConfiguration(1, 2);
        QVERIFY(::seteuid(65534) == 0);
        policy.enact();
        const uid_t afterPublish = ::geteuid();
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(afterEnact, uid_t(65534));
        QCOMPARE(afterBlocking, uid_t(65534));
        QCOMPARE(afterUnblock, uid_t(65534));
        QCOMPARE(afterPublish, uid_t(65534));
    }
};

QTEST_GUILESS_MAIN(TestActivationEuid)
#include "test_activationeuid.moc"
