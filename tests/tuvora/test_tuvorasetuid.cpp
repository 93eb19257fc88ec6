#include "passwordcheck.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "xvfbserver.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

// The installed program is set-user-id root and anyone can start it. Run for real, as
// an unprivileged user under an X server, with a hostile environment and toolkit
// options: the password gate, the menu export, the ids of the window phase, an
// activation from the window, and the clean-up at the end.
namespace {

const QString Installed = QStringLiteral("/opt/tuvora-setuid/tuvora");
const QString Home = QStringLiteral("/tmp/nobody-home");
const QString PluginMark = QStringLiteral("/tmp/planted-plugin-loaded");
const QString WhichMark = QStringLiteral("/tmp/planted-which-ran");
const QString Game = QStringLiteral("/usr/local/bin/tuvoragame");
const QString LockFile = Paths::path(Paths::AdminLockFile);
const QString LangDir = Paths::path(Paths::LangDir) + QLatin1Char('/');
QString display;

void install(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(writeFileBytes(path, content));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0755), 0);
}

QProcessEnvironment plantedEnvironment()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("HOME"), Home);
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    env.insert(QStringLiteral("PATH"), QStringLiteral("/tmp/planted-bin:/usr/bin:/bin"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral("/tmp/planted"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM_PLUGIN_PATH"), QStringLiteral("/tmp/planted/platforms"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("planted"));
    env.insert(QStringLiteral("ENV"), QStringLiteral("/tmp/planted-bin/shrc"));
    return env;
}

// What a person does: waits for the window, focuses it and presses keys. When the keys
// end the program, its window may be gone before the last key is released; what
// counts then is how the program ends.
enum class Keys { KeepWindow, EndProgram };
bool person(const QString &title, const QStringList &keys, Keys effect = Keys::KeepWindow)
{
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    xdotool.setProcessEnvironment(env);
    QStringList arguments { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
        QStringLiteral("--name"), title, QStringLiteral("windowfocus"), QStringLiteral("--sync") };
    if (!keys.isEmpty())
        arguments << QStringLiteral("key") << QStringLiteral("--delay") << QStringLiteral("100") << keys;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const bool done = xdotool.waitForFinished(30000) && (xdotool.exitCode() == 0 || effect == Keys::EndProgram);
    if (!done) {
        xdotool.kill();
        xdotool.waitForFinished();
        qWarning("xdotool: %s", xdotool.readAllStandardError().constData());
    }
    return done;
}

// Real, effective, saved and file-system user ids of a process.
QByteArray userIds(qint64 pid)
{
    for (const QByteArray &line : readFileBytes(QStringLiteral("/proc/%1/status").arg(pid)).split('\n')) {
        if (line.startsWith("Uid:"))
            return line.mid(4).simplified();
    }
    return {};
}

QMap<QString, QByteArray> filesUnder(const QString &directory)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(directory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFileBytes(path));
    }
    return files;
}

} // namespace

class TestTuvoraSetuid : public QObject
{
    Q_OBJECT

    QProcess m_xvfb;
    QProcess m_tuvora;
    QByteArray m_errors;

    void start(const QStringList &options = {})
    {
        m_tuvora.setProcessEnvironment(plantedEnvironment());
        m_tuvora.start(QStringLiteral("setpriv"),
            QStringList { QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                QStringLiteral("--clear-groups"), Installed }
                + options);
        QVERIFY(m_tuvora.waitForStarted());
    }

    void finish()
    {
        const bool finished = m_tuvora.waitForFinished(20000);
        if (!finished)
            m_tuvora.kill();
        m_errors = m_tuvora.readAllStandardError();
        QVERIFY2(finished, m_errors.constData());
        QCOMPARE(m_tuvora.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_tuvora.exitCode(), 0);
        QVERIFY(!QFile::exists(PluginMark));
        QVERIFY(!QFile::exists(WhichMark));
    }

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to hold the ids of another user");
        for (const char *tool : { "Xvfb", "xdotool", "setpriv", "crontab" })
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);

        display = startXvfb(m_xvfb);
        QVERIFY(!display.isEmpty());

        QDir().mkpath(QFileInfo(Installed).path());
        QVERIFY(QFile::copy(QStringLiteral(TUVORA_BIN), Installed));
        QCOMPARE(::chown(QFile::encodeName(Installed).constData(), 0, 0), 0);
        QCOMPARE(::chmod(QFile::encodeName(Installed).constData(), 04755), 0);
        QDir().mkpath(LangDir);
        for (const char *catalogue : { "tuvora_pt_BR.qm", "desktopui_pt_BR.qm" }) {
            const QString name = QString::fromLatin1(catalogue);
            QFile::remove(LangDir + name);
            QVERIFY(QFile::copy(QStringLiteral(QM_DIR "/") + name, LangDir + name));
        }

        // The plant: a platform plugin, a which and a shell start-up file of the caller's.
        QDir().mkpath(QStringLiteral("/tmp/planted/platforms"));
        QVERIFY(QFile::copy(QStringLiteral(PLANTED_PLUGIN), QStringLiteral("/tmp/planted/platforms/libplanted.so")));
        install(QStringLiteral("/tmp/planted-bin/which"),
            QStringLiteral("#!/bin/sh\ntouch %1\necho /tmp/planted-bin/$1\n").arg(WhichMark).toUtf8());
        install(QStringLiteral("/tmp/planted-bin/shrc"), QStringLiteral("touch %1\n").arg(WhichMark).toUtf8());

        // A policy that blocks a program, and the gate script its path will lead to.
        install(Game, "#!/bin/sh\necho game\n");
        install(Paths::path(Paths::GateScript), "#!/bin/sh\nexit 0\n");
        Policy policy(1);
        policy.name = QStringLiteral("school");
        BlockedApplication game;
        game.exec = QStringLiteral("tuvoragame");
        game.desktopFile = QStringLiteral("/usr/share/applications/tuvoragame.desktop");
        policy.applications.insert(game.desktopFile, game);
        policy.save();
    }

    void cleanupTestCase()
    {
        m_xvfb.kill();
        m_xvfb.waitForFinished();
    }

    void init()
    {
        QDir(Home).removeRecursively();
        QDir().mkpath(Home);
        QCOMPARE(::chown(QFile::encodeName(Home).constData(), 65534, 65534), 0);
        QFile::remove(PluginMark);
        QFile::remove(WhichMark);
    }

    void cleanup()
    {
        if (m_tuvora.state() != QProcess::NotRunning) {
            m_tuvora.kill();
            m_tuvora.waitForFinished();
            qWarning("tuvora was still running: %s", m_tuvora.readAllStandardError().constData());
        }
    }

    void cancellingThePasswordLeavesOnlyTheLanguageAndTheMarker()
    {
        writePassword(QStringLiteral("secret"));
        writeLanguage(QString());
        const QMap<QString, QByteArray> before = filesUnder(Paths::path(Paths::ConfigDir));

        start();
        // The dialog speaks the language of LANG.
        QVERIFY(person(QStringLiteral("^Tuvora - Acesso$"), { QStringLiteral("Escape") }, Keys::EndProgram));
        finish();

        QCOMPARE(readLanguage(), QStringLiteral("pt_BR.UTF-8"));
        writeLanguage(QString());
        QCOMPARE(filesUnder(Paths::path(Paths::ConfigDir)), before);
        QCOMPARE(QDir(Home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({ QStringLiteral(".lectora") }));
        QCOMPARE(QFileInfo(Home + QStringLiteral("/.lectora")).ownerId(), 65534u);
    }

    void withoutAPasswordTheWindowRunsAsTheUserAndActivatesAsRoot()
    {
        writePassword(noPasswordValue());
        QVERIFY(QFile::copy(QStringLiteral(LAUNCHERLIST_BIN), QStringLiteral("/usr/bin/launcherlist")));
        QFile::remove(Paths::path(Paths::MenuFile));
        writeFileBytes(LockFile, {});

        // Toolkit options and the program's own option are accepted and change nothing.
        start({ QStringLiteral("-platformpluginpath"), QStringLiteral("/tmp/planted/platforms"),
            QStringLiteral("-platform"), QStringLiteral("planted"), QStringLiteral("-lang"), QStringLiteral("de") });
        QVERIFY(person(QStringLiteral("^Tuvora - Configura"), {}));
        // The window phase: the user acts, root is the real id and the saved one.
        QCOMPARE(userIds(m_tuvora.processId()), QByteArray("0 65534 0 65534"));
        QVERIFY(readFileBytes(Paths::path(Paths::MenuFile)).contains("<Menu>"));

        // Select the row, tab to Activate and press it: the engine's root steps work.
        QVERIFY(person(QStringLiteral("^Tuvora - Configura"),
            { QStringLiteral("space"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                QStringLiteral("space") }));
        QTRY_VERIFY_WITH_TIMEOUT(Policy(PolicyStore::pathForNumber(1)).active, 15000);
        QVERIFY(QFileInfo(Game + QStringLiteral(".tuvora")).isFile());
        QCOMPARE(QFileInfo(Game).symLinkTarget(), Paths::path(Paths::GateScript));
        QThread::msleep(500);

        // From Activate to Close: Help, New, Edit, Remove, Copy, Close.
        QVERIFY(person(QStringLiteral("^Tuvora - Configura"),
            QStringList(6, QStringLiteral("Tab")) << QStringLiteral("space"), Keys::EndProgram));
        finish();
        QVERIFY(!QFile::exists(LockFile));
    }

    void withoutTheExporterTheWindowStillOpens()
    {
        writePassword(noPasswordValue());
        QFile::remove(QStringLiteral("/usr/bin/launcherlist"));
        start();
        QVERIFY(person(QStringLiteral("^Tuvora - Configura"),
            QStringList { QStringLiteral("space") } + QStringList(9, QStringLiteral("Tab")) << QStringLiteral("space"),
            Keys::EndProgram));
        finish();
        QVERIFY(m_errors.contains("Failed to update applications list"));
    }
};

QTEST_GUILESS_MAIN(TestTuvoraSetuid)
#include "test_tuvorasetuid.moc"
