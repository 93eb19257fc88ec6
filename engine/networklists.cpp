#include "networklists.h"

#include "commandrunner.h"
#include "policy.h"

#include <QFileInfo>

bool publishNetworkPolicy(Policy &policy)
{
    const QString directory = NetworkLists::directory();
    const char *listName = policy.type == Policy::Network ? "school"
        : policy.type == Policy::ServerDefinedLocal       ? "parent"
                                                          : nullptr;
    const QString list = listName ? QString::fromLatin1(listName) : QString();

    if (!policy.active) {
        policy.active = true;
        if (listName) {
            // An absolute path can never be taken for an option of cp.
            const QString source = QFileInfo(policy.filePath).absoluteFilePath();
            runCommand(fillCommand(QLatin1String("cp %1 %2/") + list + QLatin1String(".xml"), { source, directory }));
            runCommand(fillCommand(QLatin1String("echo `date` > %1/") + list + QLatin1String("pv"), { directory }));
        }
    } else {
        policy.active = false;
        if (listName) {
            runCommand(fillCommand(QLatin1String("rm -f %1/") + list + QLatin1String(".xml"), { directory }));
            runCommand(fillCommand(QLatin1String("touch %1/") + list + QLatin1String(".xml"), { directory }));
            runCommand(fillCommand(QLatin1String("echo `date` > %1/") + list + QLatin1String("pv"), { directory }));
        }
    }
    return policy.save();
}
