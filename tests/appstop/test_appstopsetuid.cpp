#include "setuidsession.h"
#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
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

struct GateRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray errors;
};

// Starts the installed gate as nobody under the invoked name firefox, with the
// environment and further arguments given, and answers its box the way a person would:
// focus it and press Enter.
GateRun runGateAnswered(const QProcessEnvironment &environment, const QStringList &arguments = {})
{
    QProcess gate;
    gate.setProcessEnvironment(environment);
    gate.start(QStringLiteral("setpriv"),
        asNobody(QStringList { QStringLiteral("/bin/bash"), QStringLiteral("-c"),
                     QStringLiteral("exec -a firefox %1 \"$@\"").arg(installed), QStringLiteral("bash") }
            + arguments));
    if (!gate.waitForStarted())
        return {};
    QProcess person;
    QProcessEnvironment personEnv = QProcessEnvironment::systemEnvironment();
    personEnv.insert(QStringLiteral("DISPLAY"), display);
    person.setProcessEnvironment(personEnv);
    person.start(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
            QStringLiteral("Tuvora - Alert"), QStringLiteral("windowfocus"), QStringLiteral("--sync"),
            QStringLiteral("key"), QStringLiteral("Return") });
    GateRun run;
    run.finished = gate.waitForFinished(30000);
    person.kill();
    person.waitForFinished();
    if (!run.finished) {
        gate.kill();
        gate.waitForFinished();
    }
    run.exitCode = gate.exitStatus() == QProcess::NormalExit ? gate.exitCode() : -1;
    run.errors = gate.readAllStandardError();
    return run;
}

// Every file or folder below the folders that root owns.
QSet<QString> rootOwnedEntries(const QStringList &folders)
{
    QSet<QString> found;
    for (const QString &folder : folders) {
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            struct stat info
            {
            };
            if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && info.st_uid == 0)
                found.insert(path);
        }
    }
    return found;
}

// The files below the folders whose content names the text.
QStringList filesNaming(const QStringList &folders, const QByteArray &text)
{
    QStringList naming;
    for (const QString &folder : folders) {
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (readFileBytes(path).contains(text))
                naming.append(path);
        }
    }
    return naming;
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
        const QString catalogue = Paths::path(Paths::LangDir) + QLatin1String("/appstop_pt_BR.qm");
        QDir().mkpath(Paths::path(Paths::LangDir));
        QFile::remove(catalogue);
        QVERIFY(QFile::copy(QStringLiteral(QM_DIR "/appstop_pt_BR.qm"), catalogue));
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
        const GateRun run = runGateAnswered(plantedEnvironment(),
            { QStringLiteral("-platformpluginpath"), QStringLiteral("/tmp/planted/platforms"),
                QStringLiteral("-platform"), QStringLiteral("planted"), QStringLiteral("http://example.org/") });
        const QByteArray &errors = run.errors;
        QVERIFY2(run.finished, errors.constData());
        QCOMPARE(run.exitCode, 0);

        QVERIFY2(errors.contains("appstop: restricted application: /usr/bin/firefox\n"), errors.constData());
        QVERIFY(!Planted::anyMarkLeft());
        // LANG is one of the variables that survive, and the gate stored it as root.
        QCOMPARE(readLanguage(), QStringLiteral("pt_BR.UTF-8"));
    }

    void theCallersFontAndLoggingSettingsNeverRunAsRoot()
    {
        // The caller's home: a font configuration listing a folder only root may read and
        // naming a cache folder of root's jobs, and logging rules that turn everything on.
        const QString home = QStringLiteral("/tmp/kidhome");
        const QString secret = QStringLiteral("/opt/tuvora-rootonly");
        QDir(home).removeRecursively();
        QDir(secret).removeRecursively();
        QVERIFY(QDir().mkpath(secret));
        QCOMPARE(::chmod(QFile::encodeName(secret).constData(), 0700), 0);
        QVERIFY(QFile::copy(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
            secret + QStringLiteral("/secret-root-font.ttf")));
        QDir().mkpath(QStringLiteral("/etc/cron.d"));
        QCOMPARE(QProcess::execute(QStringLiteral("setpriv"),
                     asNobody({ QStringLiteral("mkdir"), QStringLiteral("-p"),
                         home + QStringLiteral("/.config/fontconfig"), home + QStringLiteral("/.config/QtProject") })),
            0);
        writeFileBytes(home + QStringLiteral("/.config/fontconfig/fonts.conf"),
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
            "  <dir>/opt/tuvora-rootonly</dir>\n  <cachedir>/etc/cron.d</cachedir>\n</fontconfig>\n");
        writeFileBytes(home + QStringLiteral("/.config/QtProject/qtlogging.ini"), "[Rules]\n*.debug=true\n");

        const QStringList watched
            = { QStringLiteral("/tmp"), QStringLiteral("/etc/cron.d"), QStringLiteral("/var/cache/fontconfig") };
        const QSet<QString> before = rootOwnedEntries(watched);
        QProcessEnvironment env = plantedEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        const GateRun run = runGateAnswered(env);
        QVERIFY2(run.finished, run.errors.constData());
        QCOMPARE(run.exitCode, 0);

        const QSet<QString> appeared = rootOwnedEntries(watched) - before;
        QVERIFY2(
            appeared.isEmpty(), qPrintable(QStringList(appeared.cbegin(), appeared.cend()).join(QLatin1Char(' '))));
        QCOMPARE(filesNaming(watched, "secret-root-font"), QStringList());

        // The plant is live for a process of root's that reads the caller's settings.
        QProcess rootList;
        QProcessEnvironment rootEnv = QProcessEnvironment::systemEnvironment();
        rootEnv.insert(QStringLiteral("HOME"), home);
        rootList.setProcessEnvironment(rootEnv);
        rootList.start(QStringLiteral("fc-list"), { QStringLiteral("--format"), QStringLiteral("%{file}\n") });
        QVERIFY(rootList.waitForFinished(20000));
        QVERIFY(rootList.readAllStandardOutput().contains("secret-root-font"));
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
