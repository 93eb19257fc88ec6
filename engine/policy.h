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

    // Writes the record to filePath whole; on failure the old file stays, the diagnostic
    // stream says so and the result is false.
    bool save() const;

    // Activation, described in policyactivation.h: toggle() switches the policy on or
    // off, enact() is the desktop programs' way to do it. False when a step failed.
    enum ToggleMode : unsigned { BothBackEnds = 0, InternetOnly = 1, ApplicationsOnly = 2, NoBackEnd = 3 };
    bool toggle(unsigned mode);
    bool enact();

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
