#include "policyeditsave.h"

#include "applicationblocking.h"
#include "policy.h"
#include "policynamecheck.h"

namespace {

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

NameProblem checkNameAndDescription(
    const QString &name, const QString &openingName, const QString &description, const PolicyNameCheck *listWindow)
{
    if (name != openingName && listWindow && !listWindow->isPolicyNameFree(name))
        return NameProblem::NameTaken;
    if (isBlank(name))
        return NameProblem::NoName;
    if (isBlank(description))
        return NameProblem::NoDescription;
    return NameProblem::None;
}

int policyTypeFor(int machineMode, int typeIndex)
{
    if (machineMode == 0 || machineMode == 3)
        return Policy::ComputerDefinedLocal;
    return typeIndex + 1;
}

void storePolicyEdit(Policy &policy, const PolicyEditValues &values, int machineMode)
{
    policy.name = values.name;
    policy.description = values.description;
    policy.internet.content = values.content;
    policy.internet.urls = values.urls;
    policy.internet.urlsWhite = values.urlsWhite;
    policy.internetGrid = values.internetGrid;
    policy.applicationGrid = values.applicationGrid;

    unblockApplications(policy);
    policy.applications.clear();
    for (const BlockedApplication &application : values.applications)
        policy.applications.insert(application.desktopFile, application);

    policy.internet.listType = values.whiteList ? 1 : 0;
    policy.internet.ageRange = values.ageRange;
    policy.type = policyTypeFor(machineMode, values.typeIndex);
    policy.save();
}
