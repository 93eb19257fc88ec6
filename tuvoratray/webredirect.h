#pragma once

// The web redirect: the firewall rules that send the users' web traffic to the
// filtering proxy. The rule set is installed with the system; the tray loads it at
// start and takes its two port-80 rules out again when the administrator closes it.
// Both run the commands as root.
void restoreWebRedirect();
void removeWebRedirect();
