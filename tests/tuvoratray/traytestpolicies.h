#pragma once

#include <QString>

// Policies and their traces for the tray's tests, inside the sandbox.
namespace TrayTest {

// Writes policy_<number>.xml: a black list of one domain, restricted at every hour of
// the week but one far from now, so that it filters when put into force and gives
// root's cron table lines. Marked active or not, nothing in force yet.
void writePolicy(int number, const QString &domain, bool active);
// The policy file says active.
bool markedActive(int number);
// The domain is in the content filter's site list.
bool filtered(const QString &domain);
// Root's cron table is installed.
bool cronTableInstalled();

// Empties the store and the filter's lists, removes root's cron table and the recorded
// init-script calls, and writes the configuration with the control and machine modes.
void resetSystem(int status, int machineMode = 0);

} // namespace TrayTest
