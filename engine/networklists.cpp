#include "networklists.h"

#include "commandrunner.h"
#include "policy.h"

#include <QFileInfo>
#include <QTextStream>

bool publishNetworkPolicy(Policy &policy)
{
    const QString directory = NetworkLists::directory();
    const char *listName = policy.type == Policy::Network ? "school"
        : policy.type == Policy::ServerDefinedLocal       ? "parent"
                                                          : nullptr;
    const QString list = listName ? QString::fromLatin1(listName) : QString();

    if (!listName) {
        policy.active = !policy.active;
        return policy.save();
    }
    // The list file first, the stamp after it: clients that see a new stamp fetch the
    // list. When the list cannot be changed the stamp stays as it was and the policy
    // keeps its state, so nothing claims a publication that did not happen.
    bool listChanged = false;
    if (!policy.active) {
        // An absolute path can never be taken for an option of cp.
        const QString source = QFileInfo(policy.filePath).absoluteFilePath();
        listChanged = commandSucceeded(
            runCommand(fillCommand(QLatin1String("cp %1 %2/") + list + QLatin1String(".xml"), { source, directory })));
    } else {
        listChanged = commandSucceeded(runCommand(
                          fillCommand(QLatin1String("rm -f %1/") + list + QLatin1String(".xml"), { directory })))
            && commandSucceeded(
                runCommand(fillCommand(QLatin1String("touch %1/") + list + QLatin1String(".xml"), { directory })));
    }
    if (!listChanged) {
        QTextStream(stderr) << "The policy server's list could not be changed, nothing published: " << directory << '/'
                            << list << ".xml\n";
        return false;
    }
    policy.active = !policy.active;
    const bool stamped = commandSucceeded(
        runCommand(fillCommand(QLatin1String("echo `date` > %1/") + list + QLatin1String("pv"), { directory })));
    if (!stamped)
        QTextStream(stderr) << "The policy server's stamp could not be written: " << directory << '/' << list << "pv\n";
    return policy.save() && stamped;
}
