#pragma once

#include <QString>
#include <QStringList>

// The keys of a desktop entry's [Desktop Entry] group that the menu needs.
struct DesktopEntry
{
    QString path;
    QString name;
    QString comment;
    QString icon;
    QString exec;
    QStringList categories;
    bool listed = false; // an application that the menu shows (not NoDisplay, not Hidden)

    // Reads the file; an unreadable file, another type or a missing Name or Exec leave
    // `listed` false.
    static DesktopEntry read(const QString &path);
};
