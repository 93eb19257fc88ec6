#include "setuidsession.h"
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

void makeExecutable(const QString &path, const QByteArray &content)
{
    QVERIFY(writeExecutable(path, content));
}

// What a hostile child passes along.
QProcessEnvironment plantedEnvironment()
{
    return Planted::environment(display, QStringLiteral("pt_BR.UTF-8"));
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

        display = startPrivateXServer(m_xvfb, QStringLiteral("800x600"));
        QVERIFY(!display.isEmpty());
        QVERIFY(installSetuidCopy(QStringLiteral(APPSTOP_BIN), installed));

        // The plant: a platform plugin, a which and a shell start-up file of the child's.
        QVERIFY(Planted::plant(QStringLiteral(PLANTED_PLUGIN)));
        makeExecutable(QStringLiteral("/tmp/planted-bin/firefox"), "#!/bin/sh\n");
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
        Planted::clearMarks();
        QProcess probe;
        probe.setProcessEnvironment(plantedEnvironment());
        probe.start(QStringLiteral("setpriv"), asNobody({ QStringLiteral(PROBE_BIN) }));
        QVERIFY(probe.waitForFinished(20000));
        QVERIFY(QFile::exists(Planted::PluginMark));

        QProcess which;
        which.setProcessEnvironment(plantedEnvironment());
        which.start(QStringLiteral("setpriv"),
            asNobody({ QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("which firefox") }));
        QVERIFY(which.waitForFinished(20000));
        QCOMPARE(which.readAllStandardOutput().trimmed(), QByteArray("/tmp/planted-bin/firefox"));
        QVERIFY(QFile::exists(Planted::WhichMark));
    }

    void setuidGateIgnoresThePlantAndResolvesSystemPrograms()
    {
        Planted::clearMarks();
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
        QVERIFY(!Planted::anyMarkLeft());
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
        QVERIFY(!QFile::exists(Planted::PluginMark));
    }

private:
    QProcess m_xvfb;
};

QTEST_GUILESS_MAIN(TestAppstopSetuid)
#include "test_appstopsetuid.moc"
