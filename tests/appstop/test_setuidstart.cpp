#include "setuidstart.h"

#include <QTest>

#include <cstdlib>
#include <sys/stat.h>

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
