#pragma once

#include "policy.h"

// Activation: Policy::toggle() and Policy::enact(), members of the policy record and
// implemented in policyactivation.cpp. What a caller that activates a policy needs to
// know lives here; policy.h holds the record, its loading and its saving.
//
// Policy::toggle(mode) switches the policy on (the rules of the current hour, the
// schedules' lines in root's cron table) or off (the rules lifted, the suite's cron
// lines taken out), restarts cron and saves the new state. ToggleMode says which
// back-ends run besides the state flip, the cron table and the save: both, the
// internet rules only, the application blocking only, or none (modes 3 and above).
//
// Policy::enact() is the desktop programs' entry point, as root: it toggles the policy
// on a machine that enforces policies (machine mode 0 or 3) and publishes it on a
// policy server.
//
// Both hold the activation lock (activationlock.h): without it nothing happens and the
// result is false. A step that fails leaves what it would have changed as it was (the
// rules in force stay in force, root's cron table stays), is named on the diagnostic
// stream and makes the result false; the remaining steps still run.
