// enactpolicy: puts every policy recorded as active into force again for the current
// hour. Root's cron table runs it at the hour boundaries of the active policy's
// schedules; the first argument "e" limits it to the internet rules.
//
// No application object: only the engine's file, XML and process facilities are used.
//
// Exit status: 1 without arguments; 2 when the activation lock could not be taken or a
// step of an activation failed (the engine names it on the diagnostic stream and left
// the rules that were in force); 0 otherwise.

#include "activationlock.h"
#include "paths.h"
#include "policyactivation.h"
#include "policystore.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 1;
    const unsigned mode = std::strcmp(argv[1], "e") == 0 ? Policy::InternetOnly : Policy::BothBackEnds;
    // Programs are looked for where the desktop programs look for them: cron's search path
    // lacks /usr/local and the sbin folders, so a program there would be neither blocked
    // nor given back by the schedule.
    if (::setenv("PATH", Paths::SearchPath, 1) != 0)
        return 2;

    // The whole run is one activation: the policy files are read and written under the lock.
    ActivationLock lock;
    if (!lock.held())
        return 2;
    bool ok = true;
    for (const QString &fileName : policyFileNames()) {
        Policy policy(PolicyStore::pathForName(fileName));
        if (!policy.active)
            continue;
        // Read as not yet active, the toggle puts the current hour's rules into force,
        // writes the suite's cron lines anew and records the policy active again.
        policy.active = false;
        ok = policy.toggle(mode) && ok;
    }
    return ok ? 0 : 2;
}
