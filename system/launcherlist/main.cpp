// The menu exporter: launcherlist -d DIR
// Writes DIR/menu.xml, the application menu that the policy editor offers for blocking,
// from the desktop entries under the applications folder of each XDG data directory:
// one folder ("ServiceGroup") per main menu category, the applications ("Service")
// inside, both sorted by name. Entries marked NoDisplay or Hidden are left out; of two
// entries with the same desktop-file id, the one in the earlier data directory wins.

#include "desktopentry.h"
#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

struct Category
{
    const char *key;
    const char *name;
    const char *icon;
};

// The main categories of the freedesktop.org desktop menu standard, in the order they are looked for in
// an entry's Categories (Audio and Video fall under AudioVideo).
constexpr Category mainCategories[] = {
    { "AudioVideo", "Multimedia", "applications-multimedia" },
    { "Audio", "Multimedia", "applications-multimedia" },
    { "Video", "Multimedia", "applications-multimedia" },
    { "Development", "Development", "applications-development" },
    { "Education", "Education", "applications-education" },
    { "Game", "Games", "applications-games" },
    { "Graphics", "Graphics", "applications-graphics" },
    { "Network", "Internet", "applications-internet" },
    { "Office", "Office", "applications-office" },
    { "Science", "Science", "applications-science" },
    { "Settings", "Settings", "preferences-desktop" },
    { "System", "System", "applications-system" },
    { "Utility", "Accessories", "applications-accessories" },
};
constexpr Category otherCategory = { "", "Other", "applications-other" };

const Category &categoryOf(const DesktopEntry &entry)
{
    for (const Category &category : mainCategories) {
        if (entry.categories.contains(QLatin1String(category.key)))
            return category;
    }
    return otherCategory;
}

QStringList dataDirectories()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_HOME");
    QStringList list;
    if (!dirs.isEmpty())
        list << dirs;
    dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QString::fromLatin1(Paths::DefaultDataDirs);
    list << dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return list;
}

// Desktop-file id -> path, the first data directory winning.
QMap<QString, QString> desktopFiles()
{
    QMap<QString, QString> files;
    for (const QString &dataDir : dataDirectories()) {
        const QString base = QDir(dataDir).filePath(QStringLiteral("applications"));
        QDirIterator it(base, { QStringLiteral("*.desktop") }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = QDir(base).relativeFilePath(path);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (!files.contains(id))
                files.insert(id, path);
        }
    }
    return files;
}

void writeService(QXmlStreamWriter &xml, const DesktopEntry &entry)
{
    xml.writeStartElement(QStringLiteral("Entry"));
    xml.writeAttribute(QStringLiteral("Type"), QStringLiteral("Service"));
    xml.writeTextElement(QStringLiteral("Name"), entry.name);
    xml.writeTextElement(QStringLiteral("Description"), entry.comment);
    xml.writeTextElement(QStringLiteral("Icon"), entry.icon);
    xml.writeTextElement(QStringLiteral("Exec"), entry.exec);
    xml.writeTextElement(QStringLiteral("DesktopFile"), entry.path);
    xml.writeEndElement();
}

bool byName(const DesktopEntry &a, const DesktopEntry &b)
{
    const int order = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.path < b.path;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() != 2 || args.at(0) != QLatin1String("-d")) {
        err << "usage: launcherlist -d DIR\n";
        return 2;
    }

    QMap<QString, QList<DesktopEntry>> groups; // by folder name
    QMap<QString, QString> groupIcons;
    const QMap<QString, QString> files = desktopFiles();
    for (const QString &path : files) {
        const DesktopEntry entry = DesktopEntry::read(path);
        if (!entry.listed)
            continue;
        const Category &category = categoryOf(entry);
        groups[QLatin1String(category.name)].append(entry);
        groupIcons.insert(QLatin1String(category.name), QLatin1String(category.icon));
    }

    QSaveFile out(QDir(args.at(1)).filePath(QStringLiteral("menu.xml")));
    if (!out.open(QIODevice::WriteOnly)) {
        err << "launcherlist: cannot write " << out.fileName() << ": " << out.errorString() << '\n';
        return 1;
    }
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Menu"));
    xml.writeStartElement(QStringLiteral("Itens"));
    for (auto group = groups.begin(); group != groups.end(); ++group) {
        std::sort(group->begin(), group->end(), byName);
        xml.writeStartElement(QStringLiteral("Entry"));
        xml.writeAttribute(QStringLiteral("Type"), QStringLiteral("ServiceGroup"));
        xml.writeTextElement(QStringLiteral("Name"), group.key());
        xml.writeTextElement(QStringLiteral("Icon"), groupIcons.value(group.key()));
        xml.writeStartElement(QStringLiteral("Itens"));
        for (const DesktopEntry &entry : *group)
            writeService(xml, entry);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!out.commit()) {
        err << "launcherlist: cannot write " << out.fileName() << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
