#pragma once

// True inside scripts/sandbox. Tests that touch the suite's fixed system paths call
// requireSandbox() first, so that they can never run against the host.
bool insideSandbox();
void requireSandbox();

// True for the machine's root, not a user namespace's root that holds no other user
// ids: only then can a test switch to another user.
bool runningAsMachineRoot();
