#include "sandboxcheck.h"
#include "setuidstart.h"

#include <QTest>

#include <cstdlib>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t Caller = 65534;

// A child started the way a set-user-id root program starts for an ordinary caller:
// real ids and groups the caller's, effective and saved user id root. Returns the
// child's exit status: 0 when the checks held.
int startedSetuidByCaller(const std::function<bool()> &checks)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const gid_t groups[] = { Caller };
        if (::setgroups(1, groups) != 0 || ::setresgid(Caller, Caller, Caller) != 0 || ::setresuid(Caller, 0, 0) != 0)
            ::_exit(2);
        startSetuidProgram();
        ::_exit(checks() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool allIdsAre(uid_t expected)
{
    uid_t r = 0, e = 0, s = 0;
    gid_t rg = 0, eg = 0, sg = 0;
    return ::getresuid(&r, &e, &s) == 0 && ::getresgid(&rg, &eg, &sg) == 0 && r == expected && e == expected
        && s == expected && rg == expected && eg == expected && sg == expected;
}

} // namespace

// The start of every set-user-id program: what survives of the caller's environment.
class TestSetuidStart : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheSessionAndLocaleVariablesSurvive()
    {
        const QList<QPair<const char *, const char *>> kept = { { "DISPLAY", ":3" },
            { "XAUTHORITY", "/home/kid/.Xauthority" }, { "HOME", "/home/kid" }, { "LANG", "pt_BR.UTF-8" },
            { "LANGUAGE", "pt_BR:pt" }, { "LC_ALL", "pt_BR.UTF-8" }, { "LC_MESSAGES", "pt_BR.UTF-8" },
            { "LC_TIME", "C" }, { "DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus" } };
        const QList<const char *> dropped = { "QT_PLUGIN_PATH", "QT_QPA_PLATFORM", "QT_QPA_PLATFORM_PLUGIN_PATH",
            "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME", "QT_IM_MODULE", "QT_LOGGING_CONF", "TUVORA_COMMAND_LOG", "ENV",
            "BASH_ENV", "IFS", "SHELLOPTS", "LD_PRELOAD", "LD_LIBRARY_PATH", "FONTCONFIG_FILE", "XDG_CONFIG_HOME",
            "XDG_DATA_DIRS", "GCONV_PATH", "LC_", "LC_all", "LC_MESSAGES2", "DISPLAYX", "DBUS_SYSTEM_BUS_ADDRESS",
            "DBUS_STARTER_ADDRESS", "XDG_RUNTIME_DIR" };
        for (const auto &[name, value] : kept)
            qputenv(name, value);
        for (const char *name : dropped)
            qputenv(name, "/tmp/planted");
        qputenv("PATH", "/tmp/planted:/usr/bin");
        umask(0);

        startSetuidProgram();

        for (const auto &[name, value] : kept)
            QCOMPARE(qgetenv(name), QByteArray(value));
        for (const char *name : dropped)
            QVERIFY2(!qEnvironmentVariableIsSet(name), name);
        QCOMPARE(qgetenv("PATH"), QByteArray("/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"));
        const mode_t mask = umask(022);
        QCOMPARE(mask, mode_t(022));
    }

    void droppingRootLeavesNoWayBack()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root, to hold the ids of another user");
        QCOMPARE(startedSetuidByCaller([] {
            return callerUid() == Caller && callerGid() == Caller && dropRootForGood() && allIdsAre(Caller)
                && ::seteuid(0) != 0 && ::setuid(0) != 0 && ::setegid(0) != 0 && ::getgroups(0, nullptr) == 1;
        }),
            0);
    }

    void runningAsTheCallerKeepsRootForThePrivilegedSteps()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root, to hold the ids of another user");
        QCOMPARE(startedSetuidByCaller([] {
            return runAsCaller() && ::geteuid() == Caller && ::getuid() == Caller && ::seteuid(0) == 0
                && ::seteuid(Caller) == 0;
        }),
            0);
    }

    void theToolkitNeverStartsAsRootForAnotherCaller()
    {
        if (!runningAsMachineRoot())
            QSKIP("needs the machine's root, to hold the ids of another user");
        // A program that forgot to lower root before making its application object.
        QCOMPARE(startedSetuidByCaller([] {
            ToolkitArguments toolkit("tuvora");
            return ::geteuid() == Caller && toolkit.argc() == 1;
        }),
            0);
    }

    void toolkitSeesOnlyTheProgramName()
    {
        ToolkitArguments toolkit("appstop");
        QCOMPARE(toolkit.argc(), 1);
        QCOMPARE(QByteArray(toolkit.argv()[0]), QByteArray("appstop"));
        QCOMPARE(toolkit.argv()[1], nullptr);
    }
};

QTEST_GUILESS_MAIN(TestSetuidStart)
#include "test_setuidstart.moc"
