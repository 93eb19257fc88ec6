#include "policyconfig.h"

#include "xmldocument.h"

#include <QFile>

namespace {

// The configuration holds the administrator password: a file created anew is for root only.
constexpr mode_t ConfigFileMode = 0600;

QString readText(const char *key)
{
    const pugi::xml_document document = loadXmlDocument(PolicyConfig::filePath());
    return elementText(document.document_element().child(key));
}

int readInt(const char *key)
{
    const pugi::xml_document document = loadXmlDocument(PolicyConfig::filePath());
    return textToInt(document.document_element().child(key).child_value());
}

void writeText(const char *key, const QByteArray &value)
{
    pugi::xml_document document = loadXmlDocument(PolicyConfig::filePath());
    pugi::xml_node root = document.document_element();
    // Without a root element there is nothing to change, and writing back would
    // replace the file by an empty document.
    if (!root)
        return;
    root.remove_child(root.child(key));
    root.append_child(key).append_child(pugi::node_pcdata).set_value(value.constData());
    saveXmlDocument(PolicyConfig::filePath(), document, ConfigFileMode);
}

} // namespace

QString readServerIP()
{
    return readText("ServerIP");
}
int readInterval()
{
    return readInt("Interval");
}
int readMaxShots()
{
    return readInt("MaxShots");
}
int readStatus()
{
    return readInt("Status");
}
int readNextPolicy()
{
    return readInt("NextPolicy");
}
int readType()
{
    return readInt("Type");
}
QString readLanguage()
{
    return readText("Language");
}
QString readPassword()
{
    return readText("Password");
}

bool readLogEnabled()
{
    const pugi::xml_document document = loadXmlDocument(PolicyConfig::filePath());
    const pugi::xml_node element = document.document_element().child("Log").child("SnapshotsLog").child("logEnabled");
    return textToInt(element.child_value()) != 0;
}

void writeServerIP(const QString &value)
{
    writeText("ServerIP", value.toUtf8());
}
void writeLanguage(const QString &value)
{
    writeText("Language", value.toUtf8());
}
void writePassword(const QString &value)
{
    writeText("Password", value.toUtf8());
}
void writeInterval(int value)
{
    writeText("Interval", QByteArray::number(value));
}
void writeMaxShots(int value)
{
    writeText("MaxShots", QByteArray::number(value));
}
void writeStatus(int value)
{
    writeText("Status", QByteArray::number(value));
}
void writeNextPolicy(int value)
{
    writeText("NextPolicy", QByteArray::number(value));
}

int readGatewayTimeout()
{
    QFile file(PolicyConfig::gatewayTimeoutPath());
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix("timeout:");
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.startsWith(prefix))
            return textToInt(line.mid(prefix.size()).constData());
    }
    return -1;
}
