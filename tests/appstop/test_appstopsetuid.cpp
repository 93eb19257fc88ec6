#include "policyconfig.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The installed gate is set-user-id root and any user, any child, can start it with
// an environment and arguments of their choosing. Run for real as an unprivileged
// user: nothing planted in the environment or on the command line reaches root.
namespace {

const QString installed = QStringLiteral("/opt/tuvora-setuid/appstop");
// Set once the X server runs; it picks a free display number itself.
QString display;
const QString pluginMark = QStringLiteral("/tmp/planted-plugin-loaded");
const QString whichMark = QStringLiteral("/tmp/planted-which-ran");
const QString commandLogTarget = QStringLiteral("/etc/tuvora/pwned");

void makeExecutable(const QString &path, const QByteArray &content)
{
    QVERIFY(writeFileBytes(path, content));
    QVERIFY(QFile::setPermissions(path,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::ExeOther));
}

// What a hostile child passes along.
QProcessEnvironment plantedEnvironment()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    env.insert(QStringLiteral("PATH"), QStringLiteral("/tmp/planted-bin:/usr/bin:/bin"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral("/tmp/planted"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM_PLUGIN_PATH"), QStringLiteral("/tmp/planted/platforms"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("planted"));
    env.insert(QStringLiteral("TUVORA_COMMAND_LOG"), commandLogTarget);
    env.insert(QStringLiteral("ENV"), QStringLiteral("/tmp/planted-bin/shrc"));
    return env;
}

QStringList asNobody(const QStringList &command)
{
    return QStringList { QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
        QStringLiteral("--clear-groups") }
    + command;
}

} // namespace

class TestAppstopSetuid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to hold the ids of another user");
        for (const char *tool : { "Xvfb", "xdotool", "setpriv", "bash" })
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);

        const QString displayFile = QStringLiteral("/tmp/xvfb-display");
        QFile::remove(displayFile);
        m_xvfb.start(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"),
                QStringLiteral("exec Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>%1").arg(displayFile) });
        QVERIFY(m_xvfb.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(readFileBytes(displayFile).endsWith('\n'), 10000);
        display = QLatin1Char(':') + QString::fromLatin1(readFileBytes(displayFile).trimmed());

        QDir().mkpath(QStringLiteral("/opt/tuvora-setuid"));
        QFile::remove(installed);
        QVERIFY(QFile::copy(QStringLiteral(APPSTOP_BIN), installed));
        QCOMPARE(::chown(QFile::encodeName(installed).constData(), 0, 0), 0);
        QCOMPARE(::chmod(QFile::encodeName(installed).constData(), 04755), 0);

        // The plant: a platform plugin, a which and a shell start-up file of the child's.
        QDir().mkpath(QStringLiteral("/tmp/planted/platforms"));
        QDir().mkpath(QStringLiteral("/tmp/planted-bin"));
        QVERIFY(QFile::copy(QStringLiteral(PLANTED_PLUGIN), QStringLiteral("/tmp/planted/platforms/libplanted.so")));
        makeExecutable(QStringLiteral("/tmp/planted-bin/which"),
            QStringLiteral("#!/bin/sh\ntouch %1\necho /tmp/planted-bin/$1\n").arg(whichMark).toUtf8());
        makeExecutable(QStringLiteral("/tmp/planted-bin/firefox"), "#!/bin/sh\n");
        makeExecutable(QStringLiteral("/tmp/planted-bin/shrc"), QStringLiteral("touch %1\n").arg(whichMark).toUtf8());
        QDir().mkpath(QStringLiteral("/usr/share/tuvora/lang"));
        QFile::remove(QStringLiteral("/usr/share/tuvora/lang/appstop_pt_BR.qm"));
        QVERIFY(QFile::copy(
            QStringLiteral(QM_DIR "/appstop_pt_BR.qm"), QStringLiteral("/usr/share/tuvora/lang/appstop_pt_BR.qm")));
        // The blocked program as the system has it.
        QFile::remove(QStringLiteral("/usr/local/bin/firefox"));
        makeExecutable(QStringLiteral("/usr/bin/firefox"), "#!/bin/sh\n");
    }

    void cleanupTestCase()
    {
        m_xvfb.kill();
        m_xvfb.waitForFinished();
    }

    void plantIsLiveForAnOrdinaryProgram()
    {
        // Without these the test below could pass for the wrong reason.
        QFile::remove(pluginMark);
        QFile::remove(whichMark);
        QProcess probe;
        probe.setProcessEnvironment(plantedEnvironment());
        probe.start(QStringLiteral("setpriv"), asNobody({ QStringLiteral(PROBE_BIN) }));
        QVERIFY(probe.waitForFinished(20000));
        QVERIFY(QFile::exists(pluginMark));

        QProcess which;
        which.setProcessEnvironment(plantedEnvironment());
        which.start(QStringLiteral("setpriv"),
            asNobody({ QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("which firefox") }));
        QVERIFY(which.waitForFinished(20000));
        QCOMPARE(which.readAllStandardOutput().trimmed(), QByteArray("/tmp/planted-bin/firefox"));
        QVERIFY(QFile::exists(whichMark));
    }

    void setuidGateIgnoresThePlantAndResolvesSystemPrograms()
    {
        QFile::remove(pluginMark);
        QFile::remove(whichMark);
        QFile::remove(commandLogTarget);
        writeLanguage(QString());

        // Invoked as the blocked program, with toolkit options and a URL after it.
        QProcess gate;
        gate.setProcessEnvironment(plantedEnvironment());
        gate.start(QStringLiteral("setpriv"),
            asNobody({ QStringLiteral("/bin/bash"), QStringLiteral("-c"),
                QStringLiteral("exec -a firefox %1 \"$@\"").arg(installed), QStringLiteral("bash"),
                QStringLiteral("-platformpluginpath"), QStringLiteral("/tmp/planted/platforms"),
                QStringLiteral("-platform"), QStringLiteral("planted"), QStringLiteral("http://example.org/") }));
        QVERIFY(gate.waitForStarted());

        // Answer the box the way a person would: focus it and press Enter.
        QProcess person;
        QProcessEnvironment personEnv = QProcessEnvironment::systemEnvironment();
        personEnv.insert(QStringLiteral("DISPLAY"), display);
        person.setProcessEnvironment(personEnv);
        person.start(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                QStringLiteral("Tuvora - Alert"), QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                QStringLiteral("key"), QStringLiteral("Return") });
        const bool finished = gate.waitForFinished(30000);
        person.kill();
        person.waitForFinished();
        if (!finished) {
            gate.kill();
            gate.waitForFinished();
        }
        const QByteArray errors = gate.readAllStandardError();
        QVERIFY2(finished, errors.constData());
        QCOMPARE(gate.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gate.exitCode(), 0);

        QVERIFY2(errors.contains("appstop: restricted application: /usr/bin/firefox\n"), errors.constData());
        QVERIFY(!QFile::exists(pluginMark));
        QVERIFY(!QFile::exists(whichMark));
        QVERIFY(!QFile::exists(commandLogTarget));
        // LANG is one of the variables that survive, and the gate stored it as root.
        QCOMPARE(readLanguage(), QStringLiteral("pt_BR.UTF-8"));
    }

    void withoutADisplayTheMessageGoesToTheTerminal()
    {
        writeLanguage(QString());
        QProcessEnvironment env = plantedEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        QProcess gate;
        gate.setProcessEnvironment(env);
        gate.start(QStringLiteral("setpriv"),
            asNobody({ QStringLiteral("/bin/bash"), QStringLiteral("-c"),
                QStringLiteral("exec -a firefox %1").arg(installed) }));
        QVERIFY(gate.waitForFinished(20000));
        QCOMPARE(gate.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gate.exitCode(), 0);
        const QString errors = QString::fromLocal8Bit(gate.readAllStandardError());
        // In the language of LANG, which became the configured one.
        QVERIFY2(
            errors.contains(QStringLiteral("Tuvora - Alerta\nVocê (ou um programa em execução no seu computador) está "
                                           "tentando abrir o seguinte aplicativo restrito:\n/usr/bin/firefox\n")),
            qPrintable(errors));
        QVERIFY(!QFile::exists(pluginMark));
    }

private:
    QProcess m_xvfb;
};

QTEST_GUILESS_MAIN(TestAppstopSetuid)
#include "test_appstopsetuid.moc"
