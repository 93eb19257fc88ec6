// enactpolicy: puts every policy recorded as active into force again for the current
// hour. Root's cron table runs it at the hour boundaries of the active policy's
// schedules; the first argument "e" limits it to the internet rules.
//
// No application object: only the engine's file, XML and process facilities are used.

#include "policy.h"
#include "policystore.h"

#include <cstring>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 1;
    const unsigned mode = std::strcmp(argv[1], "e") == 0 ? Policy::InternetOnly : Policy::BothBackEnds;

    for (const QString &fileName : policyFileNames()) {
        Policy policy(PolicyStore::pathForName(fileName));
        if (!policy.active)
            continue;
        // Read as not yet active, the toggle puts the current hour's rules into force,
        // writes the cron table anew and records the policy active again.
        policy.active = false;
        policy.toggle(mode);
    }
    return 0;
}
