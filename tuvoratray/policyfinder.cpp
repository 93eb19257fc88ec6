#include "policyfinder.h"

#include "policy.h"
#include "policystore.h"
#include "traymodecontrol.h"

#include <QTimer>

PolicyFinder::PolicyFinder(TrayModeControl *tray)
    : tray(tray)
{ }

PolicyFinder::~PolicyFinder() = default;

void PolicyFinder::backToParentPolicy()
{
    backToParentPolicy(true);
}

void PolicyFinder::backToParentPolicy(bool resetSchoolStamp)
{
    Q_UNUSED(resetSchoolStamp)
    online = false;
    if (networkPolicy) {
        // Lifted, and let go.
        networkPolicy->active = true;
        networkPolicy->enact();
        networkPolicy.reset();
    }
    for (const QString &name : policyFileNames()) {
        Policy local(PolicyStore::pathForName(name));
        if (local.active) {
            local.active = false;
            local.enact();
        }
    }
    tray->showLocalModeAgain();
}

void PolicyFinder::onTimeout()
{ }

PolicyFinder *sharedPolicyFinder(TrayModeControl *tray)
{
    static PolicyFinder *finder = new PolicyFinder(tray);
    return finder;
}
