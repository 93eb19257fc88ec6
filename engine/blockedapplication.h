#pragma once

#include <QString>

struct BlockedApplication
{
    QString exec; // the desktop entry's command line; its first word names the program
    QString icon;
    QString name;
    QString extra; // not carried by the policy file; nothing reads it
    QString description;
    QString desktopFile; // path of the desktop entry, also the key in Policy::applications
    QString permissions; // four octal digits of the moved executable's mode while blocked

    bool operator==(const BlockedApplication &) const = default;
};
