#pragma once

// True inside scripts/sandbox. Tests that touch the suite's fixed system paths call
// requireSandbox() first, so that they can never run against the host.
bool insideSandbox();
void requireSandbox();
