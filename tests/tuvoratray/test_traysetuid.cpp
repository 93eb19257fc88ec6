#include "activationfixture.h"
#include "setuidsession.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "traytestpolicies.h"
#include "xsession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The installed tray is set-user-id root and runs as the user of the desktop session.
// Here a root-owned 4755 copy runs as an unprivileged user on a private X server with a
// real system tray (trayer), in the sandbox's own network namespace.
using namespace TrayTest;

namespace {

const QString Installed = QStringLiteral("/opt/tuvora-setuid/tuvoratray");
const QString Password = QStringLiteral("s3cret");
const QString Domain = QStringLiteral("games.example");
constexpr uid_t User = 65534;
constexpr uid_t OtherUser = 65533;

QString display;

QStringList asUser(uid_t user, const QStringList &command)
{
    const QString id = QString::number(user);
    return QStringList { QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
        QStringLiteral("--clear-groups") }
    + command;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList redirectRules()
{
    QStringList rules = run(QStringLiteral("iptables"),
        { QStringLiteral("-t"), QStringLiteral("nat"), QStringLiteral("-S"), QStringLiteral("OUTPUT") })
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    rules.removeAll(QStringLiteral("-P OUTPUT ACCEPT"));
    return rules;
}

// The jump to the IPv6 web refusal in the filter table's OUTPUT chain.
bool ipv6WebRefused()
{
    return run(QStringLiteral("ip6tables"), { QStringLiteral("-S"), QStringLiteral("OUTPUT") })
        .contains(QLatin1String("-j tuvora-web6"));
}

QString accessControl()
{
    return run(QStringLiteral("xhost"), {});
}

// The tray's icon window, docked into trayer and shown there; 0 when there is none.
quintptr dockedIcon()
{
    const QStringList windows = run(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--classname"), QStringLiteral("psidock") })
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &window : windows) {
        const quintptr id = window.toULongLong();
        if (XProbe::isViewable(id) && XProbe::topLevelClassOf(id).contains(QLatin1String("trayer")))
            return id;
    }
    return 0;
}

// Where the menu shows: a window of the tray other than its icon.
bool menuShown()
{
    return !run(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--classname"),
            QStringLiteral("tuvoratray") })
                .trimmed()
                .isEmpty();
}

// The session's environment, and what a hostile child of the session adds to it.
QProcessEnvironment sessionEnvironment(const QString &language = QStringLiteral("en_US.UTF-8"))
{
    return Planted::environment(display, language);
}

// One run of the installed tray.
class Tray
{
public:
    explicit Tray(const QProcessEnvironment &env = sessionEnvironment(), uid_t user = User)
    {
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral("setpriv"), asUser(user, { Installed }));
        m_process.waitForStarted();
    }
    ~Tray()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool running() { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    void terminateAs(uid_t user)
    {
        run(QStringLiteral("setpriv"),
            asUser(user, { QStringLiteral("kill"), QStringLiteral("-TERM"), QString::number(pid()) }));
    }
    // Ended by itself with status 0.
    bool endsCleanly(int ms = 30000)
    {
        return m_process.waitForFinished(ms) && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }
    bool ends(int ms = 30000) { return m_process.waitForFinished(ms); }
    QByteArray errors() { return m_process.readAllStandardError(); }

private:
    QProcess m_process;
};

} // namespace

class TestTraySetuid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root in the sandbox, to hold the ids of another user");
        if (qgetenv("TUVORA_SANDBOX_NET") != "inside")
            QSKIP("needs the sandbox's own network namespace");
        for (const char *tool : { "Xvfb", "trayer", "xdotool", "xhost", "setpriv", "dbus-daemon", "iptables" })
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);

        display = startPrivateXServer(m_xvfb, QStringLiteral("640x480"));
        QVERIFY(!display.isEmpty());
        qputenv("DISPLAY", display.toLatin1());
        QVERIFY2(m_trayer.start(), "trayer did not take the system tray selection");
        QVERIFY(installSetuidCopy(QStringLiteral(TRAY_BIN), Installed));
        QDir().mkpath(QStringLiteral("/usr/share/tuvora/lang"));
        for (const char *catalogue : { "tuvoratray_pt_BR.qm", "desktopui_pt_BR.qm" }) {
            const QString name = QString::fromLatin1(catalogue);
            QFile::remove(QStringLiteral("/usr/share/tuvora/lang/") + name);
            QVERIFY(QFile::copy(QStringLiteral(QM_DIR "/") + name, QStringLiteral("/usr/share/tuvora/lang/") + name));
        }
        QVERIFY(writeExecutable(QStringLiteral("/usr/bin/iwatch.sh"), "#!/bin/sh\nexit 0\n"));
        QVERIFY(Planted::plant(QStringLiteral(PLANTED_PLUGIN)));
    }

    void init()
    {
        resetSystem(1);
        writePassword(Password);
        writePolicy(1, Domain, true);
        run(QStringLiteral("iptables"), { QStringLiteral("-t"), QStringLiteral("nat"), QStringLiteral("-F") });
        Planted::clearMarks();
    }

    void cleanupTestCase()
    {
        m_trayer.kill();
        m_xvfb.kill();
        m_xvfb.waitForFinished();
    }

    void docksPutsThePolicyIntoForceAndOutlivesTheUsersSigterm()
    {
        Tray tray;
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        // Root's work was done as root: the rule set, the filter, root's cron table.
        QCOMPARE(redirectRules().size(), 5);
        QVERIFY(ipv6WebRefused());
        QTRY_VERIFY(filtered(Domain) && cronTableInstalled());
        // The display is opened to root alone, not to every local user.
        const QString granted = accessControl();
        QVERIFY2(granted.contains(QLatin1String("SI:localuser:root")), qPrintable(granted));
        QVERIFY2(!granted.contains(QLatin1String("disabled")), qPrintable(granted));
        // Nothing the session planted reached root or the toolkit.
        QVERIFY(!Planted::anyMarkLeft());
        QCOMPARE(readLanguage(), QStringLiteral("en_US.UTF-8"));

        // The supervised user ends the tray: the policy and the redirect stay.
        tray.terminateAs(User);
        QVERIFY2(tray.endsCleanly(), tray.errors().constData());
        QVERIFY(filtered(Domain));
        QVERIFY(cronTableInstalled());
        QVERIFY(markedActive(1));
        QCOMPARE(redirectRules().size(), 5);
        QVERIFY(!accessControl().contains(QLatin1String("SI:localuser:root")));
    }

    void rootsSigtermLiftsThePolicyAndKeepsItMarked()
    {
        Tray tray;
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        QTRY_VERIFY(filtered(Domain) && cronTableInstalled());
        QCOMPARE(::kill(pid_t(tray.pid()), SIGTERM), 0);
        QVERIFY2(tray.endsCleanly(), tray.errors().constData());
        QVERIFY(!filtered(Domain));
        QVERIFY(!cronTableInstalled());
        QVERIFY(markedActive(1));
        // The redirect stays until the next start restores the rule set anyway.
        QCOMPARE(redirectRules().size(), 5);
    }

    void exitThroughTheMenuWithThePasswordTakesTheRedirectOut()
    {
        Tray tray;
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        QTRY_VERIFY(filtered(Domain) && cronTableInstalled());
        XProbe::click(XProbe::rootGeometry(dockedIcon()).center(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 5000);
        // Exit is the last entry.
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return") });
        run(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                QStringLiteral("Tuvora - Login"), QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                QStringLiteral("type"), Password });
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Return") });
        QVERIFY2(tray.endsCleanly(), tray.errors().constData());

        QVERIFY(!filtered(Domain));
        QVERIFY(!cronTableInstalled());
        QVERIFY(markedActive(1));
        // The two port-80 rules are gone, the rest of the rule set stays.
        const QStringList left = redirectRules();
        QCOMPARE(left.size(), 3);
        QVERIFY(!left.join(QLatin1Char('\n')).contains(QLatin1String("--dport 80 ")));
        QVERIFY(!ipv6WebRefused());
        QVERIFY(!accessControl().contains(QLatin1String("SI:localuser:root")));
    }

    void secondTrayOfTheSessionChangesNothing()
    {
        Tray first;
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        run(QStringLiteral("iptables"), { QStringLiteral("-t"), QStringLiteral("nat"), QStringLiteral("-F") });

        QProcessEnvironment sameSession = sessionEnvironment();
        sameSession.insert(QStringLiteral("DISPLAY"), display + QStringLiteral(".0"));
        Tray second(sameSession);
        QVERIFY2(second.endsCleanly(5000), second.errors().constData());
        QVERIFY(redirectRules().isEmpty());
        QVERIFY(first.running());

        // Another user's session on the same display has a tray of its own.
        Tray other(sessionEnvironment(), OtherUser);
        QTRY_COMPARE_WITH_TIMEOUT(redirectRules().size(), 5, 10000);
        QTest::qWait(1000);
        QVERIFY(other.running());
        other.terminateAs(OtherUser);
        QVERIFY(other.endsCleanly());
        first.terminateAs(User);
        QVERIFY(first.endsCleanly());
    }

    void withAStatusNotifierTheItemRegistersInsteadOfDocking()
    {
        const QString busAddress = QStringLiteral("unix:path=/tmp/tray-bus/socket");
        QDir().mkpath(QStringLiteral("/tmp/tray-bus"));
        QCOMPARE(::chown("/tmp/tray-bus", User, User), 0);
        QProcess bus;
        bus.start(QStringLiteral("setpriv"),
            asUser(User,
                { QStringLiteral("dbus-daemon"), QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--address=") + busAddress }));
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(QFile::exists(QStringLiteral("/tmp/tray-bus/socket")));

        QProcessEnvironment env = sessionEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        QProcess watcher;
        watcher.setProcessEnvironment(env);
        watcher.start(QStringLiteral("setpriv"), asUser(User, { QStringLiteral(WATCHER_BIN) }));
        QVERIFY(watcher.waitForReadyRead(10000));
        QCOMPARE(watcher.readLine(), QByteArray("ready\n"));

        {
            Tray tray(env);
            QByteArray seen;
            QTRY_VERIFY_WITH_TIMEOUT((seen += watcher.readAllStandardOutput()).endsWith("end\n"), 15000);
            QVERIFY2(seen.startsWith("item "), seen.constData());
            // The same menu, the mode image on the current mode.
            QVERIFY2(seen.contains("entry Policy Configuration\n"
                                   "entry Under Control Mode - Local Mode [image]\n"
                                   "entry Free of Control Mode\n"
                                   "entry View Log\n"),
                seen.constData());
            QVERIFY(seen.contains("entry Exit\n"));
            QTest::qWait(1000);
            QCOMPARE(dockedIcon(), quintptr(0));
            tray.terminateAs(User);
            QVERIFY(tray.endsCleanly());
        }

        // Without a watcher on the bus the icon docks into the X11 tray.
        watcher.kill();
        watcher.waitForFinished();
        Tray tray(env);
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        tray.terminateAs(User);
        QVERIFY(tray.endsCleanly());
        bus.kill();
        bus.waitForFinished();
    }

    void menuInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en_US") << QStringLiteral("en_US.UTF-8");
        QTest::newRow("pt_BR") << QStringLiteral("pt_BR.UTF-8");
    }

    void menuInBothLanguages()
    {
        QFETCH(QString, language);
        Tray tray(sessionEnvironment(language));
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        QTRY_COMPARE(readLanguage(), language);
        const QByteArray shots = qgetenv("TUVORA_TRAY_SCREENSHOT_DIR");
        // The top left corner of the screen, where the panel and the menu are.
        const auto screenshot = [&shots, &language](const char *what) {
            if (shots.isEmpty())
                return;
            QTest::qWait(500);
            QDir().mkpath(QString::fromLocal8Bit(shots));
            const QString file
                = QDir(QString::fromLocal8Bit(shots))
                      .filePath(QStringLiteral("tray-%1-%2.png").arg(QLatin1String(what), language.left(5)));
            run(QStringLiteral("import"),
                { QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                    QStringLiteral("320x220+0+0"), file });
            QVERIFY(QFile::exists(file));
        };
        screenshot("icon");
        XProbe::click(XProbe::rootGeometry(dockedIcon()).center(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 5000);
        screenshot("menu");
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Escape") });
        QTRY_VERIFY(!menuShown());
        tray.terminateAs(User);
        QVERIFY(tray.endsCleanly());
    }

    // Last: it ends the X server.
    void theSessionEndingLeavesThePolicyInForce()
    {
        Tray tray;
        QTRY_VERIFY_WITH_TIMEOUT(dockedIcon() != 0, 15000);
        QTRY_VERIFY(filtered(Domain) && cronTableInstalled());
        m_trayer.kill();
        m_xvfb.kill();
        m_xvfb.waitForFinished();
        QVERIFY(tray.ends());
        QVERIFY(filtered(Domain));
        QVERIFY(cronTableInstalled());
        QVERIFY(markedActive(1));
        QCOMPARE(redirectRules().size(), 5);
    }

private:
    QProcess m_xvfb;
    TrayerProcess m_trayer;
};

QTEST_GUILESS_MAIN(TestTraySetuid)
#include "test_traysetuid.moc"
