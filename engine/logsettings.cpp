#include "logsettings.h"

#include "paths.h"
#include "xmldocument.h"

#include <QByteArray>

namespace {

int number(const pugi::xml_node &group, const char *name)
{
    return textToInt(group.child(name).child_value());
}

void appendValue(pugi::xml_node parent, const char *name, int value)
{
    parent.append_child(name).append_child(pugi::node_pcdata).set_value(QByteArray::number(value).constData());
}

void appendFlag(pugi::xml_node parent, bool on)
{
    appendValue(parent, "logEnabled", on ? 1 : 0);
}

// The configuration holds the administrator password: a file created anew is for root only.
constexpr mode_t ConfigFileMode = 0600;

void replaceLogElement(pugi::xml_node root, const LogSettings &settings)
{
    root.remove_child(root.child("Log"));
    pugi::xml_node log = root.append_child("Log");

    pugi::xml_node snapshots = log.append_child("SnapshotsLog");
    appendValue(snapshots, "ShotInterval", settings.shotInterval);
    appendValue(snapshots, "MaxAllowedShots", settings.maxShots);
    appendFlag(snapshots, settings.screenLog);

    pugi::xml_node applications = log.append_child("ApplicationsLog");
    appendValue(applications, "LogSize", settings.applicationLogSize);
    appendFlag(applications, settings.applicationLog);

    pugi::xml_node internet = log.append_child("InternetLog");
    appendValue(internet, "LogSize", settings.internetLogSize);
    appendFlag(internet, settings.internetLog);

    pugi::xml_node files = log.append_child("FilesLog");
    appendValue(files, "LogSize", settings.fileLogSize);
    appendFlag(files, settings.fileLog);
}

} // namespace

LogSettings readLogSettings()
{
    const pugi::xml_document document = loadXmlDocument(Paths::path(Paths::ConfigFile));
    const pugi::xml_node log = document.document_element().child("Log");
    const pugi::xml_node snapshots = log.child("SnapshotsLog");
    const pugi::xml_node applications = log.child("ApplicationsLog");
    const pugi::xml_node internet = log.child("InternetLog");
    const pugi::xml_node files = log.child("FilesLog");

    LogSettings settings;
    settings.shotInterval = number(snapshots, "ShotInterval");
    settings.maxShots = number(snapshots, "MaxAllowedShots");
    settings.screenLog = number(snapshots, "logEnabled") != 0;
    settings.applicationLogSize = number(applications, "LogSize");
    settings.applicationLog = number(applications, "logEnabled") != 0;
    settings.internetLogSize = number(internet, "LogSize");
    settings.internetLog = number(internet, "logEnabled") != 0;
    settings.fileLogSize = number(files, "LogSize");
    settings.fileLog = number(files, "logEnabled") != 0;
    return settings;
}

void writeLogSettings(const LogSettings &settings)
{
    const QString path = Paths::path(Paths::ConfigFile);
    pugi::xml_document document = loadXmlDocument(path);
    pugi::xml_node root = document.document_element();
    // Without a root there is nothing to change, and writing back would leave an empty document.
    if (!root)
        return;
    replaceLogElement(root, settings);
    saveXmlDocument(path, document, ConfigFileMode);
}
