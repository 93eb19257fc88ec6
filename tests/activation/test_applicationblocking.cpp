#include "activationfixture.h"
#include "applicationblocking.h"
#include "commandrecorder.h"
#include "paths.h"
#include "policy.h"
#include "sandboxcheck.h"
#include "sandboxplaces.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Fixture;

namespace {

const QString Gate = Paths::path(Paths::GateScript);
const QString KidHome = QLatin1String(SandboxPlaces::ProgramRoot) + QLatin1String("/home/kid");
const QString BlockRecords = Paths::path(Paths::BlockedModesDir);

// A folder of root's beside the one rootProgramFolder() gives.
QString rootFolder(const char *name)
{
    return QLatin1String(SandboxPlaces::ProgramRoot) + QLatin1Char('/') + QLatin1String(name);
}

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
    return QLatin1String(Paths::LauncherLibraryDir) + QLatin1String("/libkdeinit_") + name + QLatin1String(".so");
}

bool isGateLink(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.symLinkTarget() == Gate;
}

bool isUntouchedProgram(const QString &path)
{
    return QFileInfo(path).isFile() && !QFileInfo(path).isSymLink()
        && !QFileInfo::exists(path + QLatin1String(".tuvora"));
}

// A supervised user's own folder of programs, in a folder of root's.
QString kidBin()
{
    QDir(KidHome).removeRecursively();
    QDir().mkpath(KidHome);
    const QByteArray home = QFile::encodeName(KidHome);
    if (::chown(home.constData(), 65534, 65534) != 0)
        return {};
    return runAsNobody({ QStringLiteral("mkdir"), KidHome + QLatin1String("/bin") }) == 0
        ? KidHome + QLatin1String("/bin")
        : QString();
}

} // namespace

class TestApplicationBlocking : public QObject
{
    Q_OBJECT

    QString m_bin;

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!rootOwnsTheFolders())
            QSKIP("needs the machine's root: root owns no folder here (a user namespace), so every program would be "
                  "refused");
        installGate();
    }

    void init()
    {
        m_bin = rootProgramFolder();
        QDir(Paths::path(Paths::LauncherLibraryDir)).removeRecursively();
        QDir().mkpath(Paths::path(Paths::LauncherLibraryDir));
        QDir(BlockRecords).removeRecursively();
        writeConfiguration(1);
    }

    void blockingMovesTheProgramAsideAndUnblockingGivesItsModeBack()
    {
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        const QString suid = installProgram(m_bin, QStringLiteral("suidtool"), 04755);
        const QString sgid = installProgram(m_bin, QStringLiteral("sgidtool"), 02755);
        const QString staff = installProgram(m_bin, QStringLiteral("stafftool"), 0750);
        const QString target = installProgram(rootFolder("real"), QStringLiteral("linked"), 0751);
        const QString linked = m_bin + QLatin1String("/linked");
        QFile::link(target, linked);
        writeFileBytes(libraryFor(QStringLiteral("suidtool")), "lib");
        QFile::setPermissions(libraryFor(QStringLiteral("suidtool")), QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray gameBytes = readFileBytes(game);

        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game %u"));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("suidtool"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("sgidtool"));
        addApplication(policy, QStringLiteral("d.desktop"), QStringLiteral("stafftool"));
        addApplication(policy, QStringLiteral("e.desktop"), QStringLiteral("linked --new-window %U"));

        QVERIFY(applyApplicationBlocking(policy, true));
        for (const QString &program : { game, suid, sgid, staff, linked })
            QVERIFY2(isGateLink(program), qPrintable(program));
        for (const QString &program : { game, suid, sgid, staff })
            QCOMPARE(fileMode(program + QLatin1String(".tuvora")), 0700u);
        // A link is moved aside as it is; what it points to keeps its mode.
        QCOMPARE(QFileInfo(linked + QLatin1String(".tuvora")).symLinkTarget(), target);
        QCOMPARE(fileMode(target), 0751u);
        QCOMPARE(fileMode(libraryFor(QStringLiteral("suidtool"))), 0700u);
        const QStringList recorded = { QStringLiteral("0755"), QStringLiteral("4755"), QStringLiteral("2755"),
            QStringLiteral("0750"), QStringLiteral("0751") };
        for (int i = 0; i < recorded.size(); ++i)
            QCOMPARE(policy.applications.values().at(i).permissions, recorded.at(i));
        // Nothing but the search for each program goes through the shell.
        CommandRecorder recorder;

        // A second block finds the moved programs and keeps the first modes.
        QVERIFY(applyApplicationBlocking(policy, true));
        QCOMPARE(recorder.commands().size(), 5);
        QVERIFY(recorder.commands().first().startsWith(QLatin1String("which ")));
        QCOMPARE(fileMode(suid + QLatin1String(".tuvora")), 0700u);

        policy.active = true;
        QVERIFY(applyApplicationBlocking(policy, true));
        QCOMPARE(readFileBytes(game), gameBytes);
        QCOMPARE(fileMode(game), 0755u);
        QCOMPARE(fileMode(suid), 04755u);
        QCOMPARE(fileMode(sgid), 02755u);
        QCOMPARE(fileMode(staff), 0750u);
        QCOMPARE(QFileInfo(linked).symLinkTarget(), target);
        QCOMPARE(fileMode(target), 0751u);
        QCOMPARE(fileMode(libraryFor(QStringLiteral("suidtool"))), 0755u);
        for (const QString &program : { game, suid, sgid, staff })
            QVERIFY2(isUntouchedProgram(program), qPrintable(program));
        QVERIFY(!QFileInfo(linked + QLatin1String(".tuvora")).isSymLink());
        for (const BlockedApplication &application : policy.applications)
            QCOMPARE(application.permissions, QString());
        QCOMPARE(QDir(BlockRecords).entryList(QDir::Files), QStringList());
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
        // An unknown program, a word which would take as an option, and a program in a
        // folder whose name has a space: which's first word then names the folder
        // before the space, which must not be moved.
        QDir().mkpath(m_bin + QLatin1String("/my"));
        const QString spaced = m_bin + QLatin1String("/my apps");
        installProgram(spaced, QStringLiteral("spacedgame"), 0755);
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        SearchPath path(m_bin + QLatin1Char(':') + spaced);

        Policy policy(1);
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("no-such-program"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("-n"));
        addApplication(policy, QStringLiteral("d.desktop"), QStringLiteral("spacedgame"));
        addApplication(policy, QStringLiteral("e.desktop"), QStringLiteral("game"));
        QVERIFY(applyApplicationBlocking(policy, true));

        QVERIFY(isGateLink(game));
        QVERIFY(QFileInfo(m_bin + QLatin1String("/my")).isDir());
        QVERIFY(isUntouchedProgram(spaced + QLatin1String("/spacedgame")));
        for (const char *key : { "b.desktop", "c.desktop", "d.desktop" })
            QCOMPARE(policy.applications[QLatin1String(key)].permissions, QString());
    }

    void aBlockOrUnblockCutShortIsCompletedByTheNextRun()
    {
        // The program and the gate's link change places in one step; a run killed
        // around it leaves the gate's link at the moved name.
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0751);
        const QString aside = game + QLatin1String(".tuvora");
        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game"));
        QFile::link(Gate, aside);
        QVERIFY(applyApplicationBlocking(policy, true));
        QVERIFY(isGateLink(game));
        QCOMPARE(fileMode(aside), 0700u);

        QCOMPARE(::chmod(QFile::encodeName(aside).constData(), 0751), 0);
        QCOMPARE(::renameat2(AT_FDCWD, QFile::encodeName(aside).constData(), AT_FDCWD,
                     QFile::encodeName(game).constData(), RENAME_EXCHANGE),
            0);
        policy.active = true;
        QVERIFY(applyApplicationBlocking(policy, true));
        QVERIFY(isUntouchedProgram(game));
        QCOMPARE(fileMode(game), 0751u);
        QCOMPARE(QDir(BlockRecords).entryList(QDir::Files), QStringList());
    }

    void aModeFromThePolicyFileIsNeverApplied_data()
    {
        QTest::addColumn<QString>("fromFile");
        QTest::newRow("set-user-id") << QStringLiteral("4755");
        QTest::newRow("empty") << QString();
        QTest::newRow("hostile") << QStringLiteral("0755; touch /tmp/pwned");
    }

    void aModeFromThePolicyFileIsNeverApplied()
    {
        QFETCH(QString, fromFile);
        const QString tool = installProgram(m_bin, QStringLiteral("stafftool"), 0750);
        SearchPath path(m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("stafftool"));
        QVERIFY(applyApplicationBlocking(policy, true));
        policy.applications.first().permissions = fromFile;

        QVERIFY(unblockApplications(policy));
        QCOMPARE(fileMode(tool), 0750u);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
    }

    void aLinkLeftAtTheMovedNameNeverChangesItsTarget()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to act as another user");
        // What a supervised user tries in a folder of their own: the program's path
        // made to look blocked, and its moved name a link to a program of root's. An
        // unblock that followed the link would give that program the set-user-id mode
        // of the policy file.
        const QString shell = installProgram(rootFolder("real"), QStringLiteral("shell"), 0755);
        const QString bin = kidBin();
        QVERIFY(!bin.isEmpty());
        const QString planted = bin + QLatin1String("/game");
        QCOMPARE(runAsNobody({ QStringLiteral("ln"), QStringLiteral("-s"), Gate, planted }), 0);
        QCOMPARE(
            runAsNobody({ QStringLiteral("ln"), QStringLiteral("-s"), shell, planted + QLatin1String(".tuvora") }), 0);

        SearchPath kidPath(bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("game"), QStringLiteral("4755"));
        policy.active = true;
        const QByteArray said = captureStderr([&] {
            applyApplicationBlocking(policy, false);
            unblockApplications(policy);
        });
        QCOMPARE(fileMode(shell), 0755u);
        QVERIFY(isGateLink(planted));
        QCOMPARE(QFileInfo(planted + QLatin1String(".tuvora")).symLinkTarget(), shell);
        QVERIFY2(said.contains("Not moved aside by Tuvora, left as it is"), said.constData());

        // In root's own folder nobody else can swap the moved program; should it change
        // all the same, unblocking leaves it alone.
        const QString game = installProgram(m_bin, QStringLiteral("game"), 0755);
        SearchPath rootPath(m_bin);
        Policy blocked(2);
        addApplication(blocked, QStringLiteral("a.desktop"), QStringLiteral("game"));
        QVERIFY(applyApplicationBlocking(blocked, true));
        QFile::remove(game + QLatin1String(".tuvora"));
        QFile::link(shell, game + QLatin1String(".tuvora"));
        blocked.applications.first().permissions = QStringLiteral("4755");
        QVERIFY(!unblockApplications(blocked));
        QCOMPARE(fileMode(shell), 0755u);
        QVERIFY(isGateLink(game));
    }

    void aProgramOthersCanChangeIsRefused()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to act as another user");
        const QString bin = kidBin();
        QVERIFY(!bin.isEmpty());
        QCOMPARE(
            runAsNobody({ QStringLiteral("cp"), QStringLiteral("/bin/true"), bin + QLatin1String("/kidgame") }), 0);
        // Root's file in a folder that the group may write, and a file anyone may write.
        const QString shared = rootFolder("shared");
        installProgram(shared, QStringLiteral("sharedgame"), 0755);
        ::chmod(QFile::encodeName(shared).constData(), 0775);
        const QString open = installProgram(m_bin, QStringLiteral("opengame"), 0757);

        const QStringList refused = { bin + QLatin1String("/kidgame"), shared + QLatin1String("/sharedgame"), open };
        for (const QString &program : refused)
            QVERIFY2(!blockRefusal(program).isEmpty(), qPrintable(program));
        QVERIFY(blockRefusal(installProgram(m_bin, QStringLiteral("game"), 0755)).isEmpty());

        SearchPath path(bin + QLatin1Char(':') + shared + QLatin1Char(':') + m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("kidgame"));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("sharedgame"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("opengame"));
        bool ok = false;
        const QByteArray said = captureStderr([&] { ok = applyApplicationBlocking(policy, true); });
        QVERIFY(ok);
        for (const QString &program : refused)
            QVERIFY2(isUntouchedProgram(program), qPrintable(program));
        QCOMPARE(said.count("Not blocked: "), 3);
    }

    void whatTheSystemNeedsIsNeverBlocked()
    {
        // Merged /usr: /bin/sudo is /usr/bin/sudo, and a second hard link is the same program.
        installProgram(QStringLiteral("/usr/bin"), QStringLiteral("sudo"), 04755);
        const QFileInfo gateProgram(Paths::path(Paths::GateProgram));
        installProgram(gateProgram.path(), gateProgram.fileName(), 04755);
        const QString sudo2 = QStringLiteral("/usr/local/sbin/sudo2");
        QFile::remove(sudo2);
        QCOMPARE(::link("/usr/bin/sudo", QFile::encodeName(sudo2).constData()), 0);
        QFile::link(QStringLiteral("/bin/sh"), m_bin + QLatin1String("/myshell"));
        for (const char *program : { "/bin/sh", "/usr/bin/sh", "/usr/bin/dash", "/usr/bin/env", "/bin/sudo",
                 "/usr/bin/sudo", Paths::GateScript, Paths::GateProgram, "/usr/bin/which", "/usr/bin/sed",
                 "/usr/bin/crontab", "/bin/bash" }) {
            if (QFileInfo::exists(QLatin1String(program)))
                QVERIFY2(!blockRefusal(QLatin1String(program)).isEmpty(), program);
        }
        QVERIFY(!blockRefusal(sudo2).isEmpty());
        // What the suite's search path finds first under a needed name, in any of its folders.
        const QString localTool = installProgram(QStringLiteral("/usr/local/sbin"), QStringLiteral("gksudo"), 0755);
        const QString refusal = blockRefusal(localTool);
        QFile::remove(localTool);
        QVERIFY(!refusal.isEmpty());
        QVERIFY(!blockRefusal(m_bin + QLatin1String("/myshell")).isEmpty());

        // Reached through a policy, with /bin first on the search path.
        SearchPath path(QStringLiteral("/bin:/usr/local/sbin:") + m_bin);
        Policy policy(1);
        addApplication(policy, QStringLiteral("a.desktop"), QStringLiteral("sudo"));
        addApplication(policy, QStringLiteral("b.desktop"), QStringLiteral("sh -c game"));
        addApplication(policy, QStringLiteral("c.desktop"), QStringLiteral("env game"));
        addApplication(policy, QStringLiteral("d.desktop"), QStringLiteral("sudo2"));
        addApplication(policy, QStringLiteral("e.desktop"), QStringLiteral("myshell"));
        for (const BlockedApplication &application : policy.applications)
            QVERIFY2(!applicationBlockRefusal(application).isEmpty(), qPrintable(application.exec));
        const QByteArray said = captureStderr([&] { applyApplicationBlocking(policy, true); });
        QCOMPARE(said.count("Not blocked: "), 5);
        for (const char *program : { "/usr/bin/sudo", "/usr/bin/env" })
            QVERIFY(isUntouchedProgram(QLatin1String(program)));
        QVERIFY(QFileInfo(QStringLiteral("/usr/bin/sh")).symLinkTarget() != Gate);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/usr/bin/sh.tuvora")));
        QVERIFY(isUntouchedProgram(sudo2));
        QFile::remove(sudo2);
        QCOMPARE(fileMode(QStringLiteral("/usr/bin/sudo")), 04755u);
    }

    void hostileCommandLinesRunNothing()
    {
        // Program names that the shell would interpret: each is looked up as one word.
        const QString odd = installProgram(m_bin, QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id`"), 0755);
        SearchPath path(m_bin);
        QDir::setCurrent(m_bin);
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
        QVERIFY(!QFile::exists(m_bin + QLatin1String("/pwned")));
        QCOMPARE(QDir(m_bin).entryList(QDir::Files | QDir::System),
            QStringList({ QStringLiteral("odd'name;touch${IFS}pwned;$(id)`id`") }));
        QDir::setCurrent(QStringLiteral("/"));
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
