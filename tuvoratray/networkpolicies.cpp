#include "networkpolicies.h"

#include "commandrunner.h"
#include "networkdir.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"
#include "privileges.h"
#include "traypolicies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace NetworkPolicies {

namespace {

QStringList policyFilesIn(const QString &directory)
{
    const QStringList names = QDir(directory).entryList({ QStringLiteral("policy_*.xml") },
        QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive, QDir::Name | QDir::IgnoreCase);
    QStringList paths;
    for (const QString &name : names)
        paths << directory + QLatin1Char('/') + name;
    return paths;
}

// The held policy is saved to a file of root's own while it is held: a teacher's file
// saved back into the incoming folder would be taken again, and a downloaded file is
// deleted once handled.
void hold(std::unique_ptr<Policy> &held, std::unique_ptr<Policy> policy)
{
    NetworkDir::ensure();
    policy->filePath = Paths::path(Paths::HeldPolicy);
    held = std::move(policy);
}

void release(std::unique_ptr<Policy> &held)
{
    held.reset();
    NetworkDir::removeFile(Paths::HeldPolicy);
}

// A number no local policy has yet, starting from NextPolicy, which moves past it.
QString newLocalPolicyPath()
{
    int number = readNextPolicy();
    while (QFile::exists(PolicyStore::pathForNumber(number)))
        ++number;
    writeNextPolicy(number + 1);
    return PolicyStore::pathForNumber(number);
}

} // namespace

QStringList localPolicyPaths()
{
    RootStretch stretch;
    return policyFilesIn(PolicyStore::directory());
}

Outcome applySchoolPolicy(std::unique_ptr<Policy> &held, const QString &file)
{
    RootStretch stretch;
    if (QFileInfo(file).size() == 0) {
        returnToLocalPolicy(held);
        return Outcome::LocalMode;
    }
    auto school = std::make_unique<Policy>(file);
    if (school->type != Policy::Network) {
        // Only a network policy may take over from the local one: anything else would
        // leave the machine with no policy in force at all.
        QTextStream(stderr) << "Not a network policy, left alone: the school policy of type " << school->type << '\n';
        return Outcome::Unchanged;
    }
    if (!held) {
        if (readStatus() == 1)
            TrayPolicies::liftActiveLocalPolicies();
    } else {
        if (held->active)
            held->enact();
        release(held);
    }
    hold(held, std::move(school));
    writeStatus(1);
    TrayPolicies::putIntoForce(*held);
    return Outcome::NetworkMode;
}

bool applyParentPolicy(const std::unique_ptr<Policy> &held, const QString &file)
{
    RootStretch stretch;
    if (QFileInfo(file).size() == 0) {
        bool changed = false;
        for (const QString &path : localPolicyPaths()) {
            Policy local(path);
            if (local.type != Policy::ServerDefinedLocal)
                continue;
            if (local.active && !held && readStatus() == 1)
                local.enact();
            QFile::remove(path);
            changed = true;
        }
        return changed;
    }

    Policy parent(file);
    parent.filePath.clear();
    parent.active = false;
    if (parent.type != Policy::ServerDefinedLocal)
        return false;
    for (const QString &path : localPolicyPaths()) {
        Policy local(path);
        if (local.type != Policy::ServerDefinedLocal)
            continue;
        parent.filePath = path;
        if (!local.active)
            continue;
        if (!held && readStatus() != 0) {
            local.enact();
            parent.enact();
        } else {
            parent.active = true;
        }
    }
    if (parent.filePath.isEmpty())
        parent.filePath = newLocalPolicyPath();
    parent.save();
    return true;
}

void returnToLocalPolicy(std::unique_ptr<Policy> &held)
{
    RootStretch stretch;
    if (held) {
        held->active = true;
        held->enact();
        release(held);
    }
    TrayPolicies::putActiveLocalPoliciesIntoForce();
}

void suspendActivePolicy(std::unique_ptr<Policy> &held)
{
    RootStretch stretch;
    if (held) {
        TrayPolicies::liftKeepingMarked(*held);
        release(held);
    } else if (std::unique_ptr<Policy> local = TrayPolicies::firstActiveLocalPolicy()) {
        TrayPolicies::liftKeepingMarked(*local);
    } else {
        return;
    }
    TrayPolicies::emptyIncomingFolder();
}

IncomingResult takeIncomingPolicies(std::unique_ptr<Policy> &held, bool teacherMode)
{
    RootStretch stretch;
    IncomingResult result { Outcome::Unchanged, teacherMode };
    for (const QString &path : policyFilesIn(Paths::path(Paths::IncomingDir))) {
        auto teacher = std::make_unique<Policy>(path);
        if (teacher->active) {
            suspendActivePolicy(held);
            result.teacherMode = true;
            hold(held, std::move(teacher));
            TrayPolicies::putIntoForce(*held);
            runCommand(fillCommand(QStringLiteral("rm -rf %1"), { path }));
            result.outcome = Outcome::TeacherMode;
            break;
        }
        result.teacherMode = false;
        returnToLocalPolicy(held);
        runCommand(fillCommand(QStringLiteral("rm -rf %1"), { path }));
        result.outcome = Outcome::LocalMode;
    }
    return result;
}

} // namespace NetworkPolicies
