#include "activationfixture.h"

#include "policyconfig.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>

namespace Fixture {

QByteArray squidConf(bool whiteListInForce, bool rulesInForce)
{
    return QByteArray("http_port 3128\n"
                      "acl Safe_ports port 80 443\n"
                      "acl whitelist dstdomain \"/etc/squid/whitelist\"\n")
        + (rulesInForce ? "" : "#") + "http_access deny bare_address !private_address\n"
        + (whiteListInForce ? "#http_access allow Safe_ports\nhttp_access allow whitelist\n"
                            : "http_access allow Safe_ports\n#http_access allow whitelist\n")
        + "http_access deny all\n";
}

QByteArray filterConf(bool whiteListInForce, const char *naughtynessLimit)
{
    return QByteArray("reportinglevel = 3\n") + "bannedsitelist = '/etc/dansguardian/"
        + (whiteListInForce ? "emptylist" : "sitelist") + "'\n"
        + "weightedphraselist = '/etc/dansguardian/weightedphraselist'\n" + "naughtynesslimit = " + naughtynessLimit
        + "\n";
}

void writeFilterConfiguration(bool whiteListInForce)
{
    QDir().mkpath(QStringLiteral("/etc/dansguardian"));
    QDir().mkpath(QStringLiteral("/etc/squid"));
    writeFileBytes(QStringLiteral("/etc/squid/squid.conf"), squidConf(whiteListInForce, whiteListInForce));
    writeFileBytes(QStringLiteral("/etc/dansguardian/dansguardianf1.conf"), filterConf(whiteListInForce));
    writeFileBytes(QStringLiteral("/etc/dansguardian/emptylist"), {});
    writeFileBytes(QStringLiteral("/etc/dansguardian/sitelist"), "old.example\n");
    writeFileBytes(QStringLiteral("/etc/dansguardian/weightedphraselist"), "<old><10>\n");
    writeFileBytes(QStringLiteral("/etc/squid/whitelist"), ".old.example\n");
}

void writeConfiguration(int status, int machineMode)
{
    writeFileBytes(PolicyConfig::filePath(),
        "<TuvoraConfig>\n    <Status>" + QByteArray::number(status) + "</Status>\n    <Type>"
            + QByteArray::number(machineMode) + "</Type>\n</TuvoraConfig>\n");
}

QByteArray installedCronTable()
{
    QProcess crontab;
    crontab.start(QStringLiteral("crontab"), { QStringLiteral("-u"), QStringLiteral("root"), QStringLiteral("-l") });
    crontab.waitForFinished();
    return crontab.exitCode() == 0 ? crontab.readAllStandardOutput() : QByteArray();
}

void removeCronTable()
{
    QFile::remove(QStringLiteral("/var/spool/cron/crontabs/root"));
}

QStringList initScriptCalls()
{
    return QString::fromUtf8(readFileBytes(QStringLiteral("/var/log/tuvora-sandbox/init.log")))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void clearInitScriptCalls()
{
    writeFileBytes(QStringLiteral("/var/log/tuvora-sandbox/init.log"), {});
}

QStringList withoutFilterStateRules(const QStringList &commands)
{
    QStringList rest;
    for (const QString &command : commands) {
        if (!command.contains(QLatin1String("bare_address")) && !command.contains(QLatin1String("/sbin/ip")))
            rest << command;
    }
    return rest;
}

QString firewallCalls()
{
    return QString::fromUtf8(readFileBytes(QStringLiteral("/var/log/tuvora-sandbox/firewall.log")));
}

void clearFirewallCalls()
{
    writeFileBytes(QStringLiteral("/var/log/tuvora-sandbox/firewall.log"), {});
}

QString installProgram(const QString &directory, const QString &name, unsigned mode)
{
    const QString path = directory + QLatin1Char('/') + name;
    QDir().mkpath(directory);
    writeFileBytes(path, "#!/bin/sh\necho " + name.toUtf8().toPercentEncoding() + "\n");
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}

QString rootProgramFolder()
{
    const QString folder = QStringLiteral("/opt/tuvora-test/bin");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    ::chmod("/opt/tuvora-test", 0755);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    return folder;
}

bool rootOwnsTheFolders()
{
    struct stat info
    {
    };
    return ::stat("/", &info) == 0 && info.st_uid == 0;
}

int runAsNobody(const QStringList &command)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("setpriv"),
        QStringList {
            QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups") }
            + command);
    process.waitForFinished();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void installGate()
{
    installProgram(QStringLiteral("/usr/bin"), QStringLiteral("blocking.sh"), 0755);
}

SearchPath::SearchPath(const QString &directory)
    : m_old(qgetenv("PATH"))
{
    qputenv("PATH", QFile::encodeName(directory) + ':' + m_old);
}

SearchPath::~SearchPath()
{
    qputenv("PATH", m_old);
}

} // namespace Fixture
