#include "menutree.h"

#include "xmldocument.h"

#include <QCoreApplication>
#include <QSet>

namespace {

QString applicationText(const QString &name, const QString &description)
{
    return description.isEmpty() ? name : name + QLatin1String(" (") + description + QLatin1Char(')');
}

QList<MenuRow> readEntries(const pugi::xml_node &itens)
{
    QList<MenuRow> rows;
    for (pugi::xml_node entry = itens.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element)
            continue;
        const char *type = entry.attribute("Type").value();
        MenuRow row;
        row.icon = elementText(entry.child("Icon"));
        if (qstrcmp(type, "Service") == 0) {
            BlockedApplication &application = row.application;
            application.exec = elementText(entry.child("Exec"));
            application.icon = row.icon;
            application.name = elementText(entry.child("Name"));
            application.description = elementText(entry.child("Description"));
            application.desktopFile = elementText(entry.child("DesktopFile"));
            row.text = applicationText(application.name, application.description);
        } else if (qstrcmp(type, "ServiceGroup") == 0) {
            row.isFolder = true;
            row.text = elementText(entry.child("Name"));
            row.children = readEntries(entry.child("Itens"));
            if (row.children.isEmpty())
                continue;
        } else {
            continue;
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
    return readEntries(loadXmlDocument(path).document_element().child("Itens"));
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
