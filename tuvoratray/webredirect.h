#pragma once

// The web redirect: the firewall rules that send the users' web traffic to the
// filtering proxy, and refuse it over IPv6. The rule sets are installed with the
// system; the tray loads them at start and takes the two port-80 rules and the IPv6
// refusal out again when the administrator closes it.
// Both run the commands as root.
void restoreWebRedirect();
void removeWebRedirect();
