#pragma once

#include "paths.h"

#include <QString>

class Policy;

// On a policy server, switching a policy on or off publishes it for the clients
// instead of enforcing it: a network policy (type 2) goes to school.xml, a policy
// defined by the server (type 1) to parent.xml, each with a date stamp beside it
// (schoolpv, parentpv) that the clients watch. Withdrawing leaves the list file empty,
// never missing. Flips active and saves the policy; other types are only flipped and
// saved. False when the policy could not be saved.
bool publishNetworkPolicy(Policy &policy);

namespace NetworkLists {
inline QString directory()
{
    return Paths::path(Paths::PublishedListsDir);
}
} // namespace NetworkLists
