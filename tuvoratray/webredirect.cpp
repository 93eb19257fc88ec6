#include "webredirect.h"

#include "commandrunner.h"
#include "paths.h"
#include "privileges.h"

void restoreWebRedirect()
{
    asRoot([] {
        runCommand(fillCommand(QStringLiteral("iptables-restore < %1"), { Paths::path(Paths::FirewallRules) }));
        // The filter listens on IPv4 only: web traffic over IPv6 is refused, in a chain of
        // the suite's own that leaves the host's other IPv6 rules alone.
        runCommand(
            fillCommand(QStringLiteral("ip6tables-restore --noflush < %1"), { Paths::path(Paths::Firewall6Rules) }));
        runCommand(
            QStringLiteral("ip6tables -C OUTPUT -j tuvora-web6 2>/dev/null || ip6tables -I OUTPUT -j tuvora-web6"));
    });
}

void removeWebRedirect()
{
    asRoot([] {
        runCommand(
            QStringLiteral("iptables -t nat -D OUTPUT -p tcp -m tcp --dport 80 -m owner --uid-owner proxy -j ACCEPT"));
        runCommand(QStringLiteral("iptables -t nat -D OUTPUT -p tcp -m tcp --dport 80 -j REDIRECT --to-ports 8080"));
        runCommand(QStringLiteral("ip6tables -D OUTPUT -j tuvora-web6"));
    });
}
