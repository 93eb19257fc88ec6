#pragma once

#include <memory>

class Policy;

// What the tray puts into force and lifts. Engine work only, no widgets: the tray runs
// it on a worker thread, whose root stretches leave the window's thread alone.
namespace TrayPolicies {

// Puts a policy into force: marked inactive first, then switched on.
void putIntoForce(Policy &policy);
// Lifts an active policy but keeps it marked active, so that the next session puts it
// back into force.
void liftKeepingMarked(Policy &policy);

// At session start: the first active local policy goes back into force and the walk
// stops there; with none active, squid and the content filter are restarted.
void reapplyAtStart();
// Every active local policy goes into force (the walk does not stop at the first).
void putActiveLocalPoliciesIntoForce();
// Every active local policy is lifted and stays marked.
void liftActiveLocalPolicies();
// The first active local policy in listing order, or null.
std::unique_ptr<Policy> firstActiveLocalPolicy();

// Removes the teacher policies waiting in the incoming folder, as root.
void emptyIncomingFolder();

} // namespace TrayPolicies
