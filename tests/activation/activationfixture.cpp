#include "activationfixture.h"

#include "paths.h"
#include "policyconfig.h"
#include "sandboxplaces.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

namespace Fixture {

QByteArray squidConf(bool whiteListInForce, bool rulesInForce)
{
    return QByteArray("http_port 3128\n"
                      "acl Safe_ports port 80 443\n")
        + "acl whitelist dstdomain \"" + Paths::SquidWhiteList + "\"\n" + (rulesInForce ? "" : "#")
        + "http_access deny bare_address !private_address\n"
        + (whiteListInForce ? "#http_access allow Safe_ports\nhttp_access allow whitelist\n"
                            : "http_access allow Safe_ports\n#http_access allow whitelist\n")
        + "http_access deny all\n";
}

QByteArray filterConf(bool whiteListInForce, const char *naughtynessLimit)
{
    return QByteArray("reportinglevel = 3\n") + "bannedsitelist = '"
        + (whiteListInForce ? Paths::EmptyList : Paths::SiteList) + "'\n" + "weightedphraselist = '" + Paths::PhraseList
        + "'\n" + "naughtynesslimit = " + naughtynessLimit + "\n";
}

void writeFilterConfiguration(bool whiteListInForce)
{
    QDir().mkpath(Paths::path(Paths::FilterDir));
    QDir().mkpath(Paths::path(Paths::SquidDir));
    writeFileBytes(Paths::path(Paths::SquidConf), squidConf(whiteListInForce, whiteListInForce));
    writeFileBytes(Paths::path(Paths::FilterGroupConf), filterConf(whiteListInForce));
    writeFileBytes(Paths::path(Paths::EmptyList), {});
    writeFileBytes(Paths::path(Paths::SiteList), "old.example\n");
    writeFileBytes(Paths::path(Paths::PhraseList), "<old><10>\n");
    writeFileBytes(Paths::path(Paths::SquidWhiteList), ".old.example\n");
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
    QFile::remove(QString::fromLatin1(SandboxPlaces::RootCronTable));
}

QStringList initScriptCalls()
{
    return QString::fromUtf8(readFileBytes(QString::fromLatin1(SandboxPlaces::InitLog)))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void clearInitScriptCalls()
{
    writeFileBytes(QString::fromLatin1(SandboxPlaces::InitLog), {});
}

QStringList withoutFilterStateRules(const QStringList &commands)
{
    QStringList rest;
    for (const QString &command : commands) {
        if (!command.contains(QLatin1String("bare_address")) && !command.contains(QLatin1String(Paths::Iptables))
            && !command.contains(QLatin1String(Paths::Ip6tables)))
            rest << command;
    }
    return rest;
}

QString firewallCalls()
{
    return QString::fromUtf8(readFileBytes(QString::fromLatin1(SandboxPlaces::FirewallLog)));
}

void clearFirewallCalls()
{
    writeFileBytes(QString::fromLatin1(SandboxPlaces::FirewallLog), {});
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
    const QString folder = QLatin1String(SandboxPlaces::ProgramRoot) + QLatin1String("/bin");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    ::chmod(SandboxPlaces::ProgramRoot, 0755);
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
    const QFileInfo gate(Paths::path(Paths::GateScript));
    installProgram(gate.path(), gate.fileName(), 0755);
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
