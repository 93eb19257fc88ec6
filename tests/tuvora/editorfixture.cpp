#include "editorfixture.h"

#include "paths.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>

namespace EditorFixture {

void writeMachineMode(int machineMode)
{
    writeFileBytes(Paths::path(Paths::ConfigFile),
        "<TuvoraConfig>\n    <Status>0</Status>\n    <Type>" + QByteArray::number(machineMode)
            + "</Type>\n    <Language>en_US.UTF-8</Language>\n</TuvoraConfig>\n");
}

void writeMenu(const QByteArray &xml)
{
    writeFileBytes(Paths::path(Paths::MenuFile), xml);
}

QByteArray serviceEntry(const QString &name, const QString &description, const QString &exec,
    const QString &desktopFile, const QString &icon)
{
    return QStringLiteral("<Entry Type=\"Service\"><Name>%1</Name><Description>%2</Description><Icon>%5</Icon>"
                          "<Exec>%3</Exec><DesktopFile>%4</DesktopFile></Entry>\n")
        .arg(name.toHtmlEscaped(), description.toHtmlEscaped(), exec.toHtmlEscaped(), desktopFile.toHtmlEscaped(),
            icon.toHtmlEscaped())
        .toUtf8();
}

QByteArray sampleMenu()
{
    const QString apps = QStringLiteral("/usr/share/applications/");
    return "<Menu><Itens>\n"
           "<Entry Type=\"ServiceGroup\"><Name>Internet</Name><Icon>applications-internet</Icon><Itens>\n"
        + serviceEntry(QStringLiteral("Web Browser"), QStringLiteral("Browse the web"), QStringLiteral("firefox %u"),
            apps + QStringLiteral("firefox.desktop"), QStringLiteral("firefox"))
        + serviceEntry(QStringLiteral("Mail"), QString(), QStringLiteral("/usr/bin/mailreader"),
            apps + QStringLiteral("mail.desktop"))
        + "</Itens></Entry>\n"
          "<Entry Type=\"ServiceGroup\"><Name>Games</Name><Icon>applications-games</Icon><Itens>\n"
        + serviceEntry(QStringLiteral("Mines"), QStringLiteral("Find the hidden mines"), QStringLiteral("mines"),
            apps + QStringLiteral("mines.desktop"))
        + "</Itens></Entry>\n"
          "<Entry Type=\"ServiceGroup\"><Name>System</Name><Icon>applications-system</Icon><Itens>\n"
        + serviceEntry(QStringLiteral("Root Terminal"), QStringLiteral("A terminal with administrator rights"),
            QStringLiteral("kdesu -c konsole"), apps + QStringLiteral("rootterminal.desktop"))
        + serviceEntry(QStringLiteral("Tuvora Tray"), QString(), QStringLiteral("tuvoratray"),
            apps + QStringLiteral("tuvoratray.desktop"))
        + "</Itens></Entry>\n"
          "<Entry Type=\"ServiceGroup\"><Name>Empty</Name><Itens>\n"
          "<Entry Type=\"Link\"><Name>Home page</Name></Entry>\n"
          "<Entry Type=\"ServiceGroup\"><Name>Nested</Name><Itens/></Entry>\n"
          "</Itens></Entry>\n"
        + serviceEntry(QStringLiteral("Calculator"), QString(), QStringLiteral("calculator"),
            apps + QStringLiteral("calculator.desktop"))
        + "</Itens></Menu>\n";
}

void installSampleMenu()
{
    plantProgram(QStringLiteral("/usr/bin/kdesu"));
    plantProgram(Paths::path(Paths::TrayProgram));
    writeMenu(sampleMenu());
}

QString plantProgram(const QString &path)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile::remove(path);
    writeFileBytes(path, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(path,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    return path;
}

} // namespace EditorFixture
