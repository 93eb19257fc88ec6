#include "activationfixture.h"
#include "applicationblocking.h"
#include "commandrecorder.h"
#include "policy.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Fixture;

namespace {

const QString Gate = QStringLiteral("/usr/bin/blocking.sh");

void addApplication(Policy &policy, const QString &desktopFile, const QString &exec, const QString &permissions = {})
{
    BlockedApplication application;
    application.exec = exec;
    application.desktopFile = desktopFile;
    application.permissions = permissions;
    policy.applications.insert(desktopFile, application);
}

QString libraryFor(const QString &name)
{
    return QLatin1String("/opt/kde3/lib/libkdeinit_") + name + QLatin1String(".so");
}

bool isGateLink(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.symLinkTarget() == Gate;
}

} // namespace

class TestApplicationBlocking : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_bin;

private slots:
    void initTestCase()
    {
        requireSandbox();
        installGate();
    }

    void init()
    {
        m_bin = m_root.filePath(QStringLiteral("bin"));
        QDir(m_bin).removeRecursively();
        QDir().mkpath(m_bin);
        QDir(QStringLiteral("/opt/kde3/lib")).removeRecursively();
        QDir().mkpath(QStringLiteral("/opt/kde3/lib"));
        writeConfiguration(1);
    }

    void blockingAndUnblockingFollowTheFileTable()
    {
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        const QString tool = installProgram(m_bin, QStringLiteral("suidtool"), 04755);
        const QString target
            = installProgram(m_root.filePath(QStringLiteral("real")), QStringLiteral("linkedtarget"), 0751);
        const QString linked = m_bin + QLatin1String("/linked");
        QFile::link(target, linked);
        writeFileBytes(libraryFor(QStringLiteral("suidtool")), "lib");
        QFile::setPermissions(libraryFor(QStringLiteral("suidtool")), QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray gameBytes = readFileBytes(game);

        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game %u"));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("suidtool"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("linked --new-window %U"));

        CommandRecorder recorder;
        applyApplicationBlocking(policy, true);
        QCOMPARE(recorder.commands(),
            QStringList({
                QStringLiteral("which game"),
                QLatin1String("mv ") + game + QLatin1Char(' ') + game + QLatin1String(".tuvora"),
                QLatin1String("ln -s /usr/bin/blocking.sh ") + game,
                QLatin1String("chmod 700 ") + game + QLatin1String(".tuvora"),
                QStringLiteral("which suidtool"),
                QLatin1String("mv ") + tool + QLatin1Char(' ') + tool + QLatin1String(".tuvora"),
                QLatin1String("ln -s /usr/bin/blocking.sh ") + tool,
                QLatin1String("chmod 700 ") + tool + QLatin1String(".tuvora"),
                QStringLiteral("chmod 700 /opt/kde3/lib/libkdeinit_suidtool.so"),
                QStringLiteral("which linked"),
                QLatin1String("mv ") + linked + QLatin1Char(' ') + linked + QLatin1String(".tuvora"),
                QLatin1String("ln -s /usr/bin/blocking.sh ") + linked,
                QLatin1String("chmod 700 ") + linked + QLatin1String(".tuvora"),
            }));
        for (const QString &program : { game, tool, linked })
            QVERIFY2(isGateLink(program), qPrintable(program));
        QCOMPARE(fileMode(game + QLatin1String(".tuvora")), 0700u);
        QCOMPARE(fileMode(tool + QLatin1String(".tuvora")), 0700u);
        QCOMPARE(QFileInfo(linked + QLatin1String(".tuvora")).symLinkTarget(), target); // the link itself was moved
        QCOMPARE(fileMode(libraryFor(QStringLiteral("suidtool"))), 0700u);
        QCOMPARE(policy.applications[QStringLiteral("a.desktop")].permissions, QStringLiteral("0755"));
        QCOMPARE(policy.applications[QStringLiteral("b.desktop")].permissions, QStringLiteral("4755"));
        QCOMPARE(policy.applications[QStringLiteral("c.desktop")].permissions, QStringLiteral("0751"));

        // A second block finds the moved executables and keeps the first saved modes.
        recorder.clear();
        applyApplicationBlocking(policy, true);
        QCOMPARE(recorder.commands(),
            QStringList(
                { QStringLiteral("which game"), QStringLiteral("which suidtool"), QStringLiteral("which linked") }));
        QCOMPARE(policy.applications[QStringLiteral("b.desktop")].permissions, QStringLiteral("4755"));

        recorder.clear();
        policy.active = true;
        applyApplicationBlocking(policy, true);
        QCOMPARE(recorder.commands(),
            QStringList({
                QStringLiteral("which game"),
                QLatin1String("rm -f ") + game,
                QLatin1String("mv ") + game + QLatin1String(".tuvora ") + game,
                QLatin1String("chmod 0755 ") + game,
                QStringLiteral("which suidtool"),
                QLatin1String("rm -f ") + tool,
                QLatin1String("mv ") + tool + QLatin1String(".tuvora ") + tool,
                QLatin1String("chmod 4755 ") + tool,
                QStringLiteral("chmod 755 /opt/kde3/lib/libkdeinit_suidtool.so"),
                QStringLiteral("which linked"),
                QLatin1String("rm -f ") + linked,
                QLatin1String("mv ") + linked + QLatin1String(".tuvora ") + linked,
                QLatin1String("chmod 0751 ") + linked,
            }));
        QCOMPARE(readFileBytes(game), gameBytes);
        QCOMPARE(fileMode(game), 0755u);
        QCOMPARE(fileMode(tool), 04755u);
        QCOMPARE(QFileInfo(linked).symLinkTarget(), target);
        QCOMPARE(fileMode(target), 0751u);
        QCOMPARE(fileMode(libraryFor(QStringLiteral("suidtool"))), 0755u);
        QVERIFY(!QFileInfo::exists(game + QLatin1String(".tuvora")));
        for (const BlockedApplication &application : policy.applications)
            QCOMPARE(application.permissions, QString());
    }

    void freeOfControlNeitherBlocksNorUnblocks()
    {
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game"), QStringLiteral("0755"));
        writeConfiguration(0);
        applyApplicationBlocking(policy, true);
        QVERIFY(!QFileInfo(game).isSymLink());

        writeConfiguration(1);
        applyApplicationBlocking(policy, true);
        writeConfiguration(0);
        policy.active = true;
        applyApplicationBlocking(policy, false);
        QVERIFY(isGateLink(game));
        QCOMPARE(policy.applications.first().permissions, QStringLiteral("0755"));
    }

    void recordsWithoutAProgramFileAreSkipped()
    {
        // A privilege tool, an unknown program, a word which would take as an option,
        // and a program in a folder whose name has a space: which's first word then
        // names the folder before the space, which must not be moved.
        installProgram(QStringLiteral("/usr/bin"), QStringLiteral("gksudo"), 0755);
        QDir().mkpath(m_root.filePath(QStringLiteral("my")));
        const QString spaced = m_root.filePath(QStringLiteral("my apps"));
        installProgram(spaced, QStringLiteral("spacedgame"), 0755);
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        SearchPath path(m_bin + QLatin1Char(':') + spaced);

        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("gksudo %u"));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("no-such-program"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("-n"));
        addApplication(policy, QStringLiteral("d.desktop"), QStringLiteral("spacedgame"));
        addApplication(policy, QStringLiteral("e.desktop"), QStringLiteral("game"));
        CommandRecorder recorder;
        applyApplicationBlocking(policy, true);

        QCOMPARE(recorder.commands().filter(QStringLiteral("mv ")),
            QStringList({ QLatin1String("mv ") + game + QLatin1Char(' ') + game + QLatin1String(".tuvora") }));
        QVERIFY(!QFileInfo(QStringLiteral("/usr/bin/gksudo")).isSymLink());
        QVERIFY(QFileInfo(m_root.filePath(QStringLiteral("my"))).isDir());
        for (const char *key : { "a.desktop", "b.desktop", "c.desktop", "d.desktop" })
            QCOMPARE(policy.applications[QLatin1String(key)].permissions, QString());
    }

    void unblockWithoutAUsableSavedModeLeavesTheProgramUsable_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::newRow("empty") << QString();
        QTest::newRow("hostile") << QStringLiteral("0755; touch /tmp/pwned");
        QTest::newRow("not octal") << QStringLiteral("0999");
    }

    void unblockWithoutAUsableSavedModeLeavesTheProgramUsable()
    {
        QFETCH(QString, saved);
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0750);
        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game"));
        applyApplicationBlocking(policy, true);
        policy.applications.first().permissions = saved;

        CommandRecorder recorder;
        unblockApplications(policy);
        QVERIFY(recorder.commands().contains(QLatin1String("chmod 0755 ") + game));
        QCOMPARE(fileMode(game), 0755u);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
    }

    void hostileCommandLinesRunNothing()
    {
        // Program names that the shell would interpret: each is looked up as one word.
        const QString odd = installProgram(m_bin, QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id`"), 0755);
        SearchPath path(m_bin);
        QDir::setCurrent(m_root.path());
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("\"; touch /tmp/pwned; \""));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("$(touch /tmp/pwned)"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("`touch /tmp/pwned`"));
        addApplication(policy, QStringLiteral("d.desktop"), QStringLiteral("game\ntouch /tmp/pwned"));
        addApplication(policy, QStringLiteral("e.desktop"), QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id` %u"));
        const QString oddLibrary = libraryFor(QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id`"));
        writeFileBytes(oddLibrary, "lib");
        applyApplicationBlocking(policy, true);
        QVERIFY(isGateLink(odd));
        QCOMPARE(fileMode(odd + QLatin1String(".tuvora")), 0700u);
        QCOMPARE(fileMode(oddLibrary), 0700u);
        policy.active = true;
        applyApplicationBlocking(policy, true);
        QCOMPARE(fileMode(odd), 0755u);
        QCOMPARE(fileMode(oddLibrary), 0755u);

        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
        QVERIFY(!QFile::exists(m_root.filePath(QStringLiteral("pwned"))));
        QCOMPARE(QDir(m_bin).entryList(QDir::Files | QDir::System),
            QStringList({ QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id`") }));
    }

    void permissionsAreFourOctalDigits()
    {
        QCOMPARE(permissionsToString(0100755), QStringLiteral("0755"));
        QCOMPARE(permissionsToString(04755), QStringLiteral("4755"));
        QCOMPARE(permissionsToString(0120777), QStringLiteral("0777"));
        QCOMPARE(permissionsToString(0), QStringLiteral("0000"));
    }
};

QTEST_GUILESS_MAIN(TestApplicationBlocking)
#include "test_applicationblocking.moc"
