#include "menutree.h"

#include "privileges.h"

#include <QCoreApplication>
#include <QSet>
#include <QXmlStreamReader>

namespace {

QString applicationText(const QString &name, const QString &description)
{
    return description.isEmpty() ? name : name + QLatin1String(" (") + description + QLatin1Char(')');
}

// Reads the entries of the Itens element the reader stands on, up to its end.
QList<MenuRow> readEntries(QXmlStreamReader &reader)
{
    QList<MenuRow> rows;
    while (reader.readNextStartElement()) {
        const QStringView type = reader.attributes().value(QLatin1String("Type"));
        const bool service = type == QLatin1String("Service");
        const bool folder = type == QLatin1String("ServiceGroup");
        if (!service && !folder) {
            reader.skipCurrentElement();
            continue;
        }
        MenuRow row;
        row.isFolder = folder;
        BlockedApplication &application = row.application;
        while (reader.readNextStartElement()) {
            const QStringView name = reader.name();
            if (folder && name == QLatin1String("Itens"))
                row.children = readEntries(reader);
            else if (name == QLatin1String("Icon"))
                row.icon = reader.readElementText();
            else if (name == QLatin1String("Name"))
                application.name = reader.readElementText();
            else if (service && name == QLatin1String("Exec"))
                application.exec = reader.readElementText();
            else if (service && name == QLatin1String("Description"))
                application.description = reader.readElementText();
            else if (service && name == QLatin1String("DesktopFile"))
                application.desktopFile = reader.readElementText();
            else
                reader.skipCurrentElement();
        }
        if (folder) {
            row.text = application.name;
            row.application = BlockedApplication();
            if (row.children.isEmpty())
                continue;
        } else {
            application.icon = row.icon;
            row.text = applicationText(application.name, application.description);
        }
        rows.append(std::move(row));
    }
    return rows;
}

void collectDesktopFiles(const QList<MenuRow> &rows, QSet<QString> &files)
{
    for (const MenuRow &row : rows) {
        if (row.isFolder)
            collectDesktopFiles(row.children, files);
        else
            files.insert(row.application.desktopFile);
    }
}

} // namespace

QList<MenuRow> readMenuFile(const QString &path)
{
    QXmlStreamReader reader(readFileAsRoot(path));
    QList<MenuRow> rows;
    if (reader.readNextStartElement()) {
        while (reader.readNextStartElement()) {
            if (reader.name() == QLatin1String("Itens")) {
                rows = readEntries(reader);
                break;
            }
            reader.skipCurrentElement();
        }
    }
    return reader.hasError() ? QList<MenuRow>() : rows;
}

QList<MenuRow> rowsForApplicationsNotInMenu(
    const QList<MenuRow> &menu, const QMap<QString, BlockedApplication> &policyApplications)
{
    QSet<QString> offered;
    collectDesktopFiles(menu, offered);
    MenuRow folder;
    folder.isFolder = true;
    folder.text = QCoreApplication::translate("MenuTree", "Not in the menu");
    for (const BlockedApplication &application : policyApplications) {
        if (offered.contains(application.desktopFile))
            continue;
        MenuRow row;
        row.icon = application.icon;
        row.application = application;
        row.application.extra.clear();
        row.application.permissions.clear();
        row.text = applicationText(application.name, application.description);
        folder.children.append(row);
    }
    if (folder.children.isEmpty())
        return {};
    return { folder };
}
