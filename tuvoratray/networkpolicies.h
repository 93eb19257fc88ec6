#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Policy;

// The engine side of the network mode and of the teacher policies: which policy is put
// into force, lifted or stored when a policy arrives from the server or from a teacher.
// `held` is the policy held over the local ones (the finder's networkPolicy). Each
// function works as root and may take seconds (services restart): the tray runs them on
// the finder's work queue, never on its event loop.
namespace NetworkPolicies {

// The local policies' files, in listing order.
QStringList localPolicyPaths();

// What the tray's menu is to show after a change.
enum class Outcome { Unchanged, NetworkMode, TeacherMode, LocalMode };

// A school policy downloaded to `file`. An empty file gives the machine back to its
// local policy; a network policy (type 2) is put into force over the local one, which
// stays marked active; a file of another type is left alone.
Outcome applySchoolPolicy(std::unique_ptr<Policy> &held, const QString &file);

// A parent policy downloaded to `file`: a server-defined local policy (type 1) replaces
// the last such policy of the local list, or joins the list under the number NextPolicy
// gives; an empty file deletes every such policy. True when the list changed.
bool applyParentPolicy(const std::unique_ptr<Policy> &held, const QString &file);

// Lifts and lets go of the held policy, then puts every active local policy into force.
void returnToLocalPolicy(std::unique_ptr<Policy> &held);

// Lifts the held policy (and lets go of it), or else the first active local policy, but
// keeps it marked active; then empties the incoming folder. Nothing when there is none.
void suspendActivePolicy(std::unique_ptr<Policy> &held);

// The teacher policies in the incoming folder, walked in order: an active one suspends
// the policy in force and is put into force in its place (the walk stops); an inactive
// one ends the teacher mode. Each file taken is deleted.
struct IncomingResult
{
    Outcome outcome = Outcome::Unchanged;
    bool teacherMode = false;
};
IncomingResult takeIncomingPolicies(std::unique_ptr<Policy> &held, bool teacherMode);

} // namespace NetworkPolicies
