#pragma once

#include "blockedapplication.h"
#include "internetrules.h"
#include "weekgrid.h"

#include <QMap>
#include <QString>

// One policy file of the store, in memory. The caller owns the record; the engine
// takes it by reference and changes it in place.
class Policy
{
public:
    enum Type { ComputerDefinedLocal = 0, ServerDefinedLocal = 1, Network = 2 };

    // Loads the file (as root); a missing, unreadable or malformed file leaves the
    // defaults: inactive, unnamed, every hour restricted, no rules.
    explicit Policy(const QString &path);
    // A new record for /etc/tuvora/lists/policy_<number>.xml; nothing touches the disk
    // until the first save.
    explicit Policy(int number);

    // Writes the record to filePath; a failure is only reported on the diagnostic stream.
    void save() const;

    QString filePath;
    QString name;
    QString description;
    bool active = false;
    int type = ComputerDefinedLocal;
    InternetRules internet;
    QMap<QString, BlockedApplication> applications; // keyed by desktopFile
    WeekGrid applicationGrid;
    WeekGrid internetGrid;
};
