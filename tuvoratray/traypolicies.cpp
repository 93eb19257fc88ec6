#include "traypolicies.h"

#include "commandrunner.h"
#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "privileges.h"

#include <functional>

namespace {

// Walks the local policies in listing order until the visitor returns false.
void forEachLocalPolicy(const std::function<bool(Policy &)> &visit)
{
    const QStringList names = asRoot([] { return policyFileNames(); });
    for (const QString &name : names) {
        Policy policy(PolicyStore::pathForName(name));
        if (!visit(policy))
            return;
    }
}

} // namespace

namespace TrayPolicies {

void putIntoForce(Policy &policy)
{
    policy.active = false;
    policy.enact();
}

void liftKeepingMarked(Policy &policy)
{
    policy.enact();
    policy.active = true;
    policy.save();
}

void reapplyAtStart()
{
    bool found = false;
    forEachLocalPolicy([&found](Policy &policy) {
        if (!policy.active)
            return true;
        putIntoForce(policy);
        found = true;
        return false;
    });
    if (found)
        return;
    asRoot([] {
        runCommand(fillCommand(QStringLiteral("%1 restart"), { Paths::path(Paths::SquidInit) }));
        runCommand(fillCommand(QStringLiteral("%1 restart"), { Paths::path(Paths::FilterInit) }));
    });
}

void putActiveLocalPoliciesIntoForce()
{
    forEachLocalPolicy([](Policy &policy) {
        if (policy.active)
            putIntoForce(policy);
        return true;
    });
}

void liftActiveLocalPolicies()
{
    forEachLocalPolicy([](Policy &policy) {
        if (policy.active)
            liftKeepingMarked(policy);
        return true;
    });
}

std::unique_ptr<Policy> firstActiveLocalPolicy()
{
    std::unique_ptr<Policy> found;
    forEachLocalPolicy([&found](Policy &policy) {
        if (!policy.active)
            return true;
        found = std::make_unique<Policy>(policy);
        return false;
    });
    return found;
}

void emptyIncomingFolder()
{
    asRoot([] { runCommand(fillCommand(QStringLiteral("rm -rf %1/*"), { Paths::path(Paths::IncomingDir) })); });
}

} // namespace TrayPolicies
