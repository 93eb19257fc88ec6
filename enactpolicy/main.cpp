// enactpolicy: puts every policy recorded as active into force again for the current
// hour. Root's cron table runs it at the hour boundaries of the active policy's
// schedules; the first argument "e" limits it to the internet rules.
//
// While the tray holds a school or teacher policy, that one is in force and the local
// one is lifted (though still marked active): the held policy, kept in root's own
// folder, is the one put into force again.
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
#include "rootfolder.h"

#include <QFileInfo>

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

// The held policy's file, when there is one that only root can have written.
QString heldPolicyFile()
{
    const QString path = QString::fromLatin1(Paths::HeldPolicy);
    struct stat info
    {
    };
    if (::lstat(Paths::HeldPolicy, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != 0
        || (info.st_mode & 022) != 0 || !isRootOnlyFolderChain(QFileInfo(path).path()))
        return QString();
    return path;
}

// Read as not yet active, the toggle puts the current hour's rules into force, writes
// the suite's cron lines anew and records the policy active again.
bool putIntoForceAgain(Policy &policy, unsigned mode)
{
    policy.active = false;
    return policy.toggle(mode);
}

} // namespace

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
    const QString held = heldPolicyFile();
    if (!held.isEmpty()) {
        Policy policy(held);
        if (policy.active)
            return putIntoForceAgain(policy, mode) ? 0 : 2;
    }
    bool ok = true;
    for (const QString &fileName : policyFileNames()) {
        Policy policy(PolicyStore::pathForName(fileName));
        if (policy.active)
            ok = putIntoForceAgain(policy, mode) && ok;
    }
    return ok ? 0 : 2;
}
