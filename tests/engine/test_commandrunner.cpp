#include "commandrecorder.h"
#include "commandrunner.h"
#include "privileges.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestCommandRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void ordinaryValuesReadAsTheDocumentedCommandLines()
    {
        QCOMPARE(fillCommand(QStringLiteral("mv %1 %2.tuvora"),
                     { QStringLiteral("/usr/bin/firefox"), QStringLiteral("/usr/bin/firefox") }),
            QStringLiteral("mv /usr/bin/firefox /usr/bin/firefox.tuvora"));
        QCOMPARE(fillCommand(QStringLiteral("ln -s %1 %2"),
                     { QStringLiteral("/usr/bin/blocking.sh"), QStringLiteral("/usr/bin/x-www_1.2+b") }),
            QStringLiteral("ln -s /usr/bin/blocking.sh /usr/bin/x-www_1.2+b"));
        // A placeholder without a value stays as it is.
        QCOMPARE(fillCommand(QStringLiteral("echo %3"), { QStringLiteral("a") }), QStringLiteral("echo %3"));
    }

    void hostileValuesReachTheCommandAsOnePieceOfData_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("double quotes") << QStringLiteral("\"; touch /tmp/pwned; \"");
        QTest::newRow("command substitution") << QStringLiteral("$(touch /tmp/pwned)");
        QTest::newRow("backquotes") << QStringLiteral("`touch /tmp/pwned`");
        QTest::newRow("single quote") << QStringLiteral("it's'; touch /tmp/pwned; '");
        QTest::newRow("option-like") << QStringLiteral("-n");
        QTest::newRow("spaces") << QStringLiteral("a b  c");
        QTest::newRow("newline") << QStringLiteral("a\ntouch /tmp/pwned");
        QTest::newRow("empty") << QString();
        QTest::newRow("non-ascii") << QStringLiteral("maçã ünïcödé");
    }

    void hostileValuesReachTheCommandAsOnePieceOfData()
    {
        QFETCH(QString, value);
        QFile::remove(QStringLiteral("/tmp/pwned"));
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        runCommand(fillCommand(QStringLiteral("printf '%s' %1 > %2"), { value, out }));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
        QCOMPARE(QString::fromUtf8(readFileBytes(out)), value);
    }

    void observerSeesEveryCommandInOrder()
    {
        CommandRecorder recorder;
        runCommand(QStringLiteral("true"));
        runCommand(QStringLiteral("false"));
        whichProgram(QStringLiteral("sh"));
        QCOMPARE(recorder.commands(),
            QStringList({ QStringLiteral("true"), QStringLiteral("false"), QStringLiteral("which sh") }));
    }

    void commandLogFileReceivesTheLines()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("commands.log"));
        qputenv("TUVORA_COMMAND_LOG", QFile::encodeName(log));
        runCommand(QStringLiteral("true"));
        runCommand(QStringLiteral("exit 3"));
        qunsetenv("TUVORA_COMMAND_LOG");
        QCOMPARE(readFileBytes(log), QByteArray("true\nexit 3\n"));
    }

    void failingCommandDoesNotStopTheNextOne()
    {
        QTemporaryDir dir;
        runCommand(QStringLiteral("/etc/init.d/no-such-service restart 2>/dev/null"));
        runCommand(fillCommand(QStringLiteral("touch %1"), { dir.filePath(QStringLiteral("after")) }));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("after"))));
    }

    void whichGivesTheFirstWordOrNothing()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("tuvora-test-prog"));
        writeFileBytes(program, "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + oldPath);
        QCOMPARE(whichProgram(QStringLiteral("tuvora-test-prog")), program);
        QCOMPARE(whichProgram(QStringLiteral("tuvora-no-such-program")), QString());
        QCOMPARE(whichProgram(QStringLiteral("-a")), QString());
        QCOMPARE(whichProgram(QStringLiteral("$(touch /tmp/pwned)")), QString());
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
        qputenv("PATH", oldPath);
    }

    void privilegeToolsAreExactlyTheFour()
    {
        for (const char *tool : { "/usr/bin/sudo", "/usr/bin/kdesu", "/usr/bin/gksu", "/usr/bin/gksudo" })
            QVERIFY(isPrivilegeTool(QLatin1String(tool)));
        QVERIFY(!isPrivilegeTool(QStringLiteral("/usr/bin/gksudo ")));
        QVERIFY(!isPrivilegeTool(QStringLiteral("/usr/bin/gksudox")));
        QVERIFY(!isPrivilegeTool(QStringLiteral("gksu")));
        QVERIFY(!isPrivilegeTool(QStringLiteral("/usr/local/bin/sudo")));
        QVERIFY(!isPrivilegeTool(QStringLiteral("/USR/BIN/SUDO")));
    }

    void privilegeToolsAreKnownUnderAnyPathThatLeadsToThem()
    {
        const QString tool = QStringLiteral("/usr/bin/gksudo");
        writeFileBytes(tool, "#!/bin/sh\n");
        QTemporaryDir dir;
        // A folder that leads to /usr/bin, as /bin does on a system with a merged /usr,
        // and a link of another name.
        QVERIFY(QFile::link(QStringLiteral("/usr/bin"), dir.filePath(QStringLiteral("bin"))));
        QVERIFY(QFile::link(tool, dir.filePath(QStringLiteral("rootshell"))));
        QVERIFY(isPrivilegeTool(dir.filePath(QStringLiteral("bin/gksudo"))));
        QVERIFY(isPrivilegeTool(dir.filePath(QStringLiteral("rootshell"))));
        if (QFileInfo(QStringLiteral("/bin")).isSymLink())
            QVERIFY(isPrivilegeTool(QStringLiteral("/bin/gksudo")));
        // A copy is another program.
        QVERIFY(QFile::copy(tool, dir.filePath(QStringLiteral("copy"))));
        QVERIFY(!isPrivilegeTool(dir.filePath(QStringLiteral("copy"))));
        QVERIFY(!isPrivilegeTool(dir.filePath(QStringLiteral("bin"))));
        QFile::remove(tool);
    }
};

QTEST_GUILESS_MAIN(TestCommandRunner)
#include "test_commandrunner.moc"
