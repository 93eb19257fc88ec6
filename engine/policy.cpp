#include "policy.h"

#include "policystore.h"
#include "privileges.h"
#include "xmldocument.h"

namespace {

QStringList readEntries(const pugi::xml_node &container)
{
    QStringList entries;
    for (pugi::xml_node entry = container.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() == pugi::node_element)
            entries.append(QString::fromUtf8(entry.child_value()));
    }
    return entries;
}

void readSchedule(const pugi::xml_node &schedule, WeekGrid &grid)
{
    for (pugi::xml_node entry = schedule.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element)
            continue;
        const int day = textToInt(entry.child("Date").child_value());
        const int hour = textToInt(entry.child("Time").child_value());
        // Entries that address no cell of the week are ignored.
        if (day >= 0 && day < WeekGrid::Days && hour >= 0 && hour < WeekGrid::Hours)
            grid[WeekGrid::cellIndex(day, hour)] = 0;
    }
}

void readApplications(const pugi::xml_node &container, QMap<QString, BlockedApplication> &applications)
{
    for (pugi::xml_node entry = container.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element)
            continue;
        BlockedApplication application;
        application.name = elementText(entry.child("Name"));
        application.description = elementText(entry.child("Description"));
        application.icon = elementText(entry.child("Icon"));
        application.exec = elementText(entry.child("Exec"));
        application.desktopFile = elementText(entry.child("DesktopFile"));
        application.permissions = elementText(entry.child("Permissions"));
        applications.insert(application.desktopFile, application);
    }
}

void appendText(pugi::xml_node parent, const char *name, const QString &text)
{
    // Like every text value, an empty one is written as a text node: <Name></Name>.
    parent.append_child(name).append_child(pugi::node_pcdata).set_value(text.toUtf8().constData());
}

void appendText(pugi::xml_node parent, const char *name, int value)
{
    parent.append_child(name).append_child(pugi::node_pcdata).set_value(QByteArray::number(value).constData());
}

void appendEntries(pugi::xml_node parent, const char *name, const QStringList &entries)
{
    pugi::xml_node container = parent.append_child(name);
    for (const QString &entry : entries)
        appendText(container, name, entry);
}

void appendSchedule(pugi::xml_node parent, const char *name, const WeekGrid &grid)
{
    pugi::xml_node schedule = parent.append_child(name);
    for (int day = 0; day < WeekGrid::Days; ++day) {
        for (int hour = 0; hour < WeekGrid::Hours; ++hour) {
            if (grid[WeekGrid::cellIndex(day, hour)] != 0)
                continue;
            pugi::xml_node entry = schedule.append_child("DateTime");
            appendText(entry, "Date", day);
            appendText(entry, "Time", hour);
        }
    }
}

} // namespace

Policy::Policy(const QString &path)
    : filePath(path)
{
    RootStretch stretch;
    const pugi::xml_document document = loadXmlDocument(path);
    const pugi::xml_node root = document.document_element();
    if (!root)
        return;

    name = elementText(root.child("Name"));
    description = elementText(root.child("Description"));
    type = textToInt(root.child("Type").child_value());
    active = textToInt(root.child("Status").child_value()) != 0;
    readSchedule(root.child("ApplicationsSchedule"), applicationGrid);
    readSchedule(root.child("InternetSchedule"), internetGrid);

    const pugi::xml_node internetElement = root.child("Internet");
    internet.listType = textToInt(internetElement.child("ListType").child_value());
    internet.ageRange = textToInt(internetElement.child("AgeRange").child_value());
    internet.content = readEntries(internetElement.child("Content"));
    internet.urls = readEntries(internetElement.child("Urls"));
    internet.urlsWhite = readEntries(internetElement.child("UrlsWhite"));

    readApplications(root.child("BlockedApplications"), applications);
}

Policy::Policy(int number)
    : filePath(PolicyStore::pathForNumber(number))
{ }

bool Policy::save() const
{
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("Policy");
    appendText(root, "Name", name);
    appendText(root, "Description", description);
    appendText(root, "Status", active ? 1 : 0);
    appendText(root, "Type", type);

    pugi::xml_node internetElement = root.append_child("Internet");
    appendText(internetElement, "ListType", internet.listType);
    appendText(internetElement, "AgeRange", internet.ageRange);
    appendEntries(internetElement, "Content", internet.content);
    appendEntries(internetElement, "Urls", internet.urls);
    appendEntries(internetElement, "UrlsWhite", internet.urlsWhite);

    appendSchedule(root, "ApplicationsSchedule", applicationGrid);
    appendSchedule(root, "InternetSchedule", internetGrid);

    pugi::xml_node applicationsElement = root.append_child("BlockedApplications");
    for (const BlockedApplication &application : applications) {
        pugi::xml_node entry = applicationsElement.append_child("Application");
        appendText(entry, "Name", application.name);
        appendText(entry, "Description", application.description);
        appendText(entry, "Icon", application.icon);
        appendText(entry, "Exec", application.exec);
        appendText(entry, "DesktopFile", application.desktopFile);
        appendText(entry, "Permissions", application.permissions);
    }

    return saveXmlDocument(filePath, document);
}
