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

    // What toggle() runs besides the state flip, the cron table and the save.
    enum ToggleMode : unsigned { BothBackEnds = 0, InternetOnly = 1, ApplicationsOnly = 2, NoBackEnd = 3 };

    // Switches the policy on (rules of the current hour, the schedules' lines in root's
    // cron table) or off (rules lifted, the suite's cron lines taken out), and saves the
    // new state. Modes 3 and above run no back-end. Holds the activation lock.
    //
    // A step that fails leaves what it would have changed as it was (the rules in force
    // stay in force, root's cron table stays), is named on the diagnostic stream, and
    // makes the result false; the remaining steps still run. Without the activation lock
    // nothing happens and the result is false.
    bool toggle(unsigned mode);
    // The desktop programs' entry point, as root: toggles the policy on a machine that
    // enforces policies (machine mode 0 or 3), publishes it on a policy server. False
    // when a step failed.
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
