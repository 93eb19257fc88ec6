#pragma once

#include "blockedapplication.h"
#include "weekgrid.h"

#include <QList>
#include <QString>
#include <QStringList>

class Policy;
class PolicyNameCheck;

// What the policy editor shows when OK is pressed, gathered from its widgets.
struct PolicyEditValues
{
    QString name;
    QString description;
    QStringList content;
    QStringList urls;
    QStringList urlsWhite;
    WeekGrid internetGrid;
    WeekGrid applicationGrid;
    QList<BlockedApplication> applications; // every row switched on, disabled rows too
    bool whiteList = false;
    int ageRange = 0;
    int typeIndex = 0; // of the type selector: 0 "Server Defined Local Policy", 1 "Network Policy"
};

enum class NameProblem { None, NameTaken, NoName, NoDescription };

// A policy that keeps the name it opened with is never checked against the others;
// a new name must be free in the list window at this moment. Name and description
// must hold more than blanks.
NameProblem checkNameAndDescription(
    const QString &name, const QString &openingName, const QString &description, const PolicyNameCheck *listWindow);

// Machine modes 0 and 3 make local policies (type 0); the others take the selector.
int policyTypeFor(int machineMode, int typeIndex);

// Writes the values into the record and saves its file. The programs that the record
// blocked so far are restored first, since its application list is replaced.
void storePolicyEdit(Policy &policy, const PolicyEditValues &values, int machineMode);
